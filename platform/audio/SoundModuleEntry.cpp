// The entry point of the sound module (glimmora-sound.so), the only symbol
// it exports.
#include "platform/sound/SoundModule.h"
#include "platform/audio/PulseSoundOutput.h"

extern "C" __attribute__((visibility("default"))) platform::SoundOutput*
glimmora_sound_output(int interfaceVersion)
{
    if (interfaceVersion != platform::SoundModuleInterface) {
        return nullptr;
    }
    return new platform::PulseSoundOutput();
}
