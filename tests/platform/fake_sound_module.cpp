// Stand-ins for the sound module: one whose output marks each file it is
// asked to play with a "<file>.played" beside it, and (FAKE_DATA_ENTRY) one
// that exports the entry point's name as data.
#include "platform/sound/SoundModule.h"

#include <QFile>

#ifdef FAKE_DATA_ENTRY
extern "C" {
__attribute__((visibility("default"))) int glimmora_sound_output[16] = {};
}
#else
namespace {

class MarkingOutput final : public platform::SoundOutput
{
public:
    void play(const QString& path) override
    {
        QFile mark(path + QStringLiteral(".played"));
        (void)mark.open(QIODevice::WriteOnly);
    }
    void stop() override {}
};

} // namespace

extern "C" __attribute__((visibility("default"))) platform::SoundOutput*
glimmora_sound_output(int interfaceVersion)
{
    return interfaceVersion == platform::SoundModuleInterface ? new MarkingOutput : nullptr;
}
#endif
