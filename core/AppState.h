#pragma once

#include "core/ClockCore.h"

#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>

class QWidget;
class frmMenu;
class frmAlarm;
class frmMessage;
class frmSkins;
class frmIntro;
class frmKeyStroke;

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
    // Current instant in seconds since the epoch; the tick turns it into local
    // time with the process's time zone.
    std::function<qint64()> now;
    // Keeps the desktop awake while the saver mode is on; none in most tests.
    platform::IdleInhibitor* idle = nullptr;
};

// Program-wide state, owned by Main and handed to every window by reference.
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
    QString SkinName;
    QString SkinFilePath;

    // Time and alarm
    QString LastSeconds;
    QString LastMinutes;
    QString LastHours;
    QString CurrentHours;
    QString CurrentMinutes;
    QString AlarmHour = QStringLiteral("99");
    QString AlarmMinute = QStringLiteral("99");
    std::int16_t AlarmState = 0;

    // Key sending
    std::int16_t SendKeyCode = 0;
    std::int16_t ShowSaver = 0;

    // Windows: the clock and the (never shown) menu window live for the whole
    // run; dialogs exist at most once and delete themselves when closed.
    // The clock window as a plain window: dialogs open on its screen.
    QWidget* clockWindow = nullptr;
    frmMenu* menuWindow = nullptr;
    QPointer<frmAlarm> alarmWindow;
    QPointer<frmMessage> messageWindow;
    QPointer<frmSkins> skinsWindow;
    QPointer<frmIntro> introWindow;
    QPointer<frmKeyStroke> keyStrokeWindow;

    // The four modes and the tick; last, so everything it refers to exists.
    ClockCore core{*this};
};
