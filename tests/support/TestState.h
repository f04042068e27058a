#pragma once

// The program state every test starts from: recording fakes for the sound and
// the keys, and a wall clock the test sets.
#include "core/AppState.h"
#include "core/ClockTick.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"

#include <QString>

struct TestState
{
    platform::DummySoundOutput sound;
    platform::DummyKeyInjector keys;
    // The test's wall clock: seconds since the epoch and milliseconds into
    // that second.
    qint64 now = 0;
    qint64 msIntoSecond = 0;
    AppState state{Services{sound, keys, [this] { return now * 1000 + msIntoSecond; }}};

    // The program's paths as start-up sets them for a program in `dir`
    // (ending in "/"), named glimmora.
    void placeProgramIn(const QString& dir)
    {
        state.programDir = dir;
        state.exeName = QStringLiteral("glimmora");
        state.settingsFile = dir + QStringLiteral("glimmora.ini");
        state.skinsDir = dir + QStringLiteral("Skins/");
    }

    // The alarm ringing as the tick starts it: the alarm time set to the
    // clock's minute, the switch on, one tick.
    void ringAlarm()
    {
        const QString time = localTimeText(now);
        state.core.setAlarmTime({time.left(2), time.mid(3, 2)});
        if (!state.core.isOn(ClockCore::Alarm)) {
            state.core.toggle(ClockCore::Alarm);
        }
        state.core.tick(time);
    }
};
