#pragma once

#include "alarm/AlarmDialog.h"
#include "core/AppState.h"
#include "core/SettingsKeys.h"
#include "tests/support/SettingsFiles.h"
#include "tests/support/WindowFixture.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>

// Program state for alarm tests: a recording sound output, a settable clock
// and a fresh program directory holding the settings file.
struct AlarmTestState : PlacedFixture
{
    // Local wall-clock time the fake clock reports from now on.
    void setTime(const QDateTime& local)
    {
        now = local.toSecsSinceEpoch();
        msIntoSecond = local.time().msec();
    }
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

// Opens the alarm dialog the way the menu does.
inline AlarmDialog* openAlarmDialog(AlarmTestState& t)
{
    // Start-up is over: what the dialog sets reaches the file, as in the
    // program.
    t.writer.followChanges();
    t.windows.showAlarm();
    return t.windows.alarm();
}

// A key of the settings file, "<none>" when it is missing.
inline QString settingOf(const AlarmTestState& t, const QString& key)
{
    return ReadIni(t.state.appTitle, key, t.state.settingsFile, QStringLiteral("<none>"));
}
