#include "platform/sound/SoundModule.h"

#include <QFile>
#include <QLoggingCategory>

#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcSoundModule, "glimmora.sound", QtCriticalMsg)

struct Unloader
{
    void operator()(void* handle) const { dlclose(handle); }
};

// Only a regular file: dlopen on a FIFO waits for a writer forever, holding
// the loader's lock that every later dlopen in the process needs. Checked on
// a descriptor opened without waiting. (Loading through /proc/self/fd/N
// would close the last gap, but glibc takes a name it has loaded before for
// the same library.)
void* openRegularFile(const QString& file, QString& why)
{
    const int fd =
        ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    struct stat info = {};
    void* handle = nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = QStringLiteral("not a regular file");
    } else {
        // RTLD_LOCAL: the module's libraries resolve only its own symbols.
        handle = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            why = QString::fromLocal8Bit(dlerror());
        }
    }
    ::close(fd);
    return handle;
}

// The entry point, where the module defines it as a function: a data symbol
// of that name would be called as code.
SoundModuleEntry entryOf(void* handle)
{
    void* address = dlsym(handle, SoundModuleEntryName);
    Dl_info where = {};
    void* entry = nullptr;
    if (!address || dladdr1(address, &where, &entry, RTLD_DL_SYMENT) == 0) {
        return nullptr;
    }
    const auto* symbol = static_cast<const ElfW(Sym)*>(entry);
    if (!symbol || ELF64_ST_TYPE(symbol->st_info) != STT_FUNC) {
        return nullptr;
    }
    return reinterpret_cast<SoundModuleEntry>(address);
}

} // namespace

std::unique_ptr<SoundOutput> loadSoundModule(const QString& file)
{
    QString why;
    std::unique_ptr<void, Unloader> handle(openRegularFile(file, why));
    if (!handle) {
        qCWarning(lcSoundModule).noquote() << "no sound:" << file << why;
        return nullptr;
    }
    const SoundModuleEntry entry = entryOf(handle.get());
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
