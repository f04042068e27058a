#pragma once

#include "core/SettingsKeys.h"

#include <QObject>
#include <QPoint>
#include <functional>

struct AppState;
class ClockCore;

// The keys of an orderly exit, in their order: the display options, the
// clock window's position in twips, the other options, "ShowSaver" as read
// and the skin name.
QList<SettingEntry> exitKeys(const ClockCore& core, QPoint clockPosition);

// The one writer of the settings file while the clock runs. Windows only
// change the core; this follows the core's signals and writes each change at
// once, in one replace of the file, so a crash or a power cut loses nothing.
// An option's change writes the exit's keys, so the file reads as after an
// exit.
class SettingsWriter : public QObject
{
    Q_OBJECT
public:
    SettingsWriter(const AppState& state, ClockCore& core, std::function<QPoint()> clockPosition);

    // Start-up ends here: from now on every change is written.
    void followChanges();

    // The exit's keys: at the end, and for a session manager's save request.
    void saveExitKeys();

private:
    const AppState& m_state;
    ClockCore& m_core;
    std::function<QPoint()> m_clockPosition;
    bool m_following = false;
};
