#pragma once

// The program state every test starts from: recording fakes for the sound and
// the keys, and a wall clock the test sets.
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/ClockTick.h"
#include "core/Sound.h"
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
    ClockCore core;

    TestState() { connectAlarmSound(core, state); }

    // The program's paths as start-up sets them for a program in `dir`
    // (ending in "/"), named glimmora.
    void placeProgramIn(const QString& dir)
    {
        state.programDir = dir;
        state.settingsFile = dir + QStringLiteral("glimmora.ini");
        state.skinsDir = dir + QStringLiteral("Skins/");
    }

    // The alarm ringing as the tick starts it: the alarm time set to the
    // clock's minute, the switch on, one tick.
    void ringAlarm()
    {
        const QString time = localTimeText(now);
        core.setAlarmTime({time.left(2), time.mid(3, 2)});
        if (!core.isOn(Option::Alarm)) {
            core.toggle(Option::Alarm);
        }
        core.tick(time);
    }
};
