#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <utility>

namespace platform {
class SoundOutput;
class KeyInjector;
class IdleInhibitor;
class DesktopLayer;
} // namespace platform

// The services the program talks to the desktop through; real backends in the
// program, fakes in tests.
struct Services
{
    platform::SoundOutput& sound;
    platform::KeyInjector& keys;
    // The wall clock: the current instant in milliseconds since the epoch.
    std::function<qint64()> nowMs;
    // Keeps the desktop awake while the saver mode is on; none in most tests.
    platform::IdleInhibitor* idle = nullptr;
    // Puts the clock into the desktop's layer; none in most tests.
    platform::DesktopLayer* desktop = nullptr;
};

// What every window is handed by reference, made in main: the services and
// where the files are. The clock's state is the core's (ClockCore).
struct AppState
{
    explicit AppState(Services s) : services(std::move(s)) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Services services;

    QString programDir; // directory of the program file, ending in "/"
    QString appTitle = QStringLiteral("Marvane Glimmora"); // also the settings' section
    QString settingsFile;                                  // where settings are read and written
    // Where reads fall through to while settingsFile does not exist yet (the file
    // beside a program whose directory cannot be written); empty otherwise.
    QString settingsFallback;
    QString skinsDir;
    // The skins folders of the user's and the system's data folders, looked
    // through after skinsDir.
    QStringList dataSkinsDirs;
};
