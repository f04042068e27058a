#include "platform/SoundModule.h"

#include <QFile>
#include <QLoggingCategory>

#include <dlfcn.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcSoundModule, "glimmora.sound", QtWarningMsg)

struct Unloader
{
    void operator()(void* handle) const { dlclose(handle); }
};

} // namespace

std::unique_ptr<SoundOutput> loadSoundModule(const QString& file)
{
    // RTLD_LOCAL: the module's libraries resolve only its own symbols.
    std::unique_ptr<void, Unloader> handle(
        dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) {
        qCWarning(lcSoundModule).noquote() << "no sound:" << dlerror();
        return nullptr;
    }
    const auto entry =
        reinterpret_cast<SoundModuleEntry>(dlsym(handle.get(), SoundModuleEntryName));
    SoundOutput* output = entry ? entry(SoundModuleInterface) : nullptr;
    if (!output) {
        qCWarning(lcSoundModule).noquote()
            << "no sound:" << file << "is not a sound module of interface" << SoundModuleInterface;
        return nullptr;
    }
    (void)handle.release();
    return std::unique_ptr<SoundOutput>(output);
}

} // namespace platform
