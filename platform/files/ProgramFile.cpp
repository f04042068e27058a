#include "platform/files/ProgramFile.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QByteArray linkTarget(const char* link)
{
    QByteArray target(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::readlink(link, target.data(), size_t(target.size()));
        if (n < 0) {
            return {};
        }
        if (n < target.size()) {
            target.truncate(n);
            return target;
        }
        target.resize(target.size() * 2);
    }
}

ProgramFile lookUp()
{
    QByteArray bytes = linkTarget("/proc/self/exe");
    if (bytes.isEmpty()) {
        // No /proc: Qt's own guess from the command line.
        const QString path = QCoreApplication::applicationFilePath();
        return {path, QFile::encodeName(path), path.left(path.lastIndexOf(u'/') + 1)};
    }
    // A program file replaced while it runs is named so; its folder is still right.
    const QByteArray deleted = " (deleted)";
    struct stat st
    {
    };
    if (bytes.endsWith(deleted) && ::stat(bytes.constData(), &st) != 0) {
        bytes.chop(deleted.size());
    }
    const QString text = QFile::decodeName(bytes);
    const qsizetype slash = bytes.lastIndexOf('/');
    // Held until the end; for a name that is no valid text, the folder's
    // only name the program can spell.
    const int dir = ::open(bytes.left(slash + 1).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const QString held = dir < 0 ? QString() : QStringLiteral("/proc/self/fd/%1/").arg(dir);
    if (QFile::encodeName(text) == bytes) {
        return {text, bytes, dir < 0 ? text.left(text.lastIndexOf(u'/') + 1) : held};
    }
    if (dir < 0) {
        return {QString(), bytes, QString()};
    }
    return {held + QFile::decodeName(bytes.mid(slash + 1)), bytes, held};
}

} // namespace

const ProgramFile& runningProgramFile()
{
    static const ProgramFile file = lookUp();
    return file;
}

} // namespace platform
