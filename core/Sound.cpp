#include "core/Sound.h"

#include "core/AlarmLog.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "platform/sound/SoundOutput.h"

void playSoundFile(AppState& state, const QString& path)
{
    qCDebug(lcAlarm) << "play" << path;
    state.services.sound.play(path);
}

void stopSound(AppState& state)
{
    qCDebug(lcAlarm) << "stop";
    state.services.sound.stop();
}

void playAlarmSound(AppState& state)
{
    playSoundFile(state, state.programDir + QStringLiteral("alarm.wav"));
}

void connectAlarmSound(ClockCore& core, AppState& state)
{
    // The program directory is known once start-up has run, so it is read at
    // each ring.
    QObject::connect(&core, &ClockCore::alarmSoundDue, &core, [&state] { playAlarmSound(state); });
}
