#pragma once

#include "core/ClockCore.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdint>
#include <functional>

namespace platform {
class SoundOutput;
class KeyInjector;
class IdleInhibitor;
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
};

// Program-wide state, owned by main and handed to every window by reference:
// the services, where the files are, the settings start-up read, and the core.
struct AppState
{
    explicit AppState(Services s) : services(std::move(s)) {}

    Services services;

    // Paths and names
    QString ProgramDir; // directory of the program file, ending in "/"
    QString ExeName;    // program file name without extension
    QString AppTitle = QStringLiteral("Marvane Glimmora");
    QString SettingsFile; // where settings are read and written
    // Where reads fall through to while SettingsFile does not exist yet (the file
    // beside a program whose directory cannot be written); empty otherwise.
    QString SettingsFallback;
    QString SkinsDir;
    // The skins folders of the user's and the system's data folders, looked
    // through after SkinsDir.
    QStringList dataSkinsDirs;
    QString SkinName;
    QString SkinFilePath;

    // Key sending
    std::int16_t SendKeyCode = 0;
    std::int16_t ShowSaver = 0;

    // The clock's state, the modes and the tick; last, so everything it refers
    // to exists.
    ClockCore core{*this};
};
