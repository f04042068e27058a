#include "core/Sound.h"

#include "core/AlarmLog.h"
#include "core/AppState.h"
#include "platform/SoundOutput.h"

void PlaySoundFile(AppState& state, const QString& path)
{
    qCDebug(lcAlarm) << "play" << path;
    state.services.sound.play(path);
}

void StopSound(AppState& state)
{
    qCDebug(lcAlarm) << "stop";
    state.services.sound.stop();
}

void PlayAlarmSound(AppState& state)
{
    PlaySoundFile(state, state.programDir + QStringLiteral("alarm.wav"));
}
