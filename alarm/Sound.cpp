#include "alarm/Sound.h"

#include "app/AppState.h"
#include "platform/SoundOutput.h"

void PlaySoundFile(AppState& state, const QString& path)
{
    state.services.sound.play(path);
}

void StopSound(AppState& state)
{
    state.services.sound.stop();
}
