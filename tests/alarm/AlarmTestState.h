#pragma once

#include "alarm/frmAlarm.h"
#include "app/AppState.h"
#include "app/Forms.h"
#include "app/Settings.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>

// Program state for alarm tests: a recording sound output, a settable clock
// and a fresh program directory holding the settings file.
struct AlarmTestState
{
    AlarmTestState()
    {
        state.ProgramDir = dir.path() + QStringLiteral("/");
        state.ExeName = QStringLiteral("glimmora");
        state.SettingsFile = state.ProgramDir + QStringLiteral("glimmora.ini");
        state.SkinsDir = state.ProgramDir + QStringLiteral("Skins/");
    }

    // Local wall-clock time the fake clock reports from now on.
    void setTime(const QDateTime& local) { seconds = local.toSecsSinceEpoch(); }

    platform::DummySoundOutput sound;
    platform::DummyKeyInjector keys;
    qint64 seconds = 0;
    QTemporaryDir dir;
    AppState state{Services{sound, keys, [this] { return seconds; }}};
};

// Top-level windows of one kind that are shown.
template <class Window> int visibleWindows()
{
    int count = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        count += qobject_cast<Window*>(top) != nullptr && top->isVisible();
    }
    return count;
}

// Closes every window of one kind, so a failed case leaves none to the next.
template <class Window> void closeWindows()
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<Window*>(top)) {
            top->close();
        }
    }
}

// Opens the alarm dialog the way the menu does.
inline frmAlarm* openAlarmDialog(AlarmTestState& t)
{
    ShowAlarmWindow(t.state);
    return t.state.alarmWindow;
}

// A key of the settings file, "<none>" when it is missing.
inline QString settingOf(const AlarmTestState& t, const QString& key)
{
    return ReadIni(t.state.AppTitle, key, t.state.SettingsFile, QStringLiteral("<none>"));
}
