#include "platform/files/FileReplace.h"

#include "platform/files/RegularFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// A regular file, whole. A name that does not exist reads as an empty file;
// one that is no regular file (FIFO, device, directory) or cannot be read
// fails, without waiting for a FIFO's writer.
QByteArray readAllBytes(const QString& path, bool& ok)
{
    ok = false;
    const int fd = openRegularFile(path);
    if (fd < 0) {
        struct stat st
        {
        };
        ok = ::stat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT;
        return {};
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QByteArray all = f.readAll();
    ok = f.error() == QFileDevice::NoError;
    return all;
}

// The file at the end of a chain of symlinks: a save replaces that file and
// leaves every link a link. A link's relative target counts from the link's
// own directory. The name itself where it is no link (or does not exist).
QByteArray finalTarget(QByteArray path)
{
    for (int depth = 0; depth < 40; ++depth) { // the kernel's own limit
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer);
        if (n <= 0 || n >= static_cast<ssize_t>(sizeof buffer)) {
            return path;
        }
        QByteArray link(buffer, n);
        if (!link.startsWith('/')) {
            const qsizetype slash = path.lastIndexOf('/');
            link = (slash < 0 ? QByteArray() : path.left(slash + 1)) + link;
        }
        path = link;
    }
    return path; // a loop: opening it fails
}

namespace {

// Writes `count` bytes of `bytes` from `from` on at file offset `offset`.
bool writeAllAt(int fd, const QByteArray& bytes, qsizetype from, qsizetype count, off_t offset)
{
    const char* p = bytes.constData() + from;
    while (count > 0) {
        const ssize_t n = ::pwrite(fd, p, static_cast<std::size_t>(count), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        p += n;
        count -= n;
        offset += n;
    }
    return true;
}

} // namespace

namespace {

bool noNewFileHere(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

namespace {

// Gives a new file the old one's permissions, and its owner where we may.
void takeOver(int fd, const struct stat* old)
{
    if (old) {
        (void)::fchmod(fd, old->st_mode & 07777);
        if (::geteuid() == 0) {
            std::ignore = ::fchown(fd, old->st_uid, old->st_gid); // best effort
        }
    }
}

} // namespace

bool fill(int fd, const QByteArray& content)
{
    return writeAllAt(fd, content, 0, content.size(), 0) && ::fdatasync(fd) == 0;
}

namespace {

// The spare name, filled; -1 with errno set when it cannot be made.
int namedSpare(const QByteArray& spare, const QByteArray& content, const struct stat* old, bool& ok)
{
    ::unlink(spare.constData()); // left by a save that was cut short
    const int fd =
        ::open(spare.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
        takeOver(fd, old);
        ok = fill(fd, content);
    }
    return fd;
}

} // namespace

namespace {

// The hidden name the new content is written under: ".NAME.new", or where
// that would pass a length limit the file's own name passes, one as long as
// it with its first byte changed.
QByteArray spareName(const QByteArray& dir, const QByteArray& name)
{
    constexpr qsizetype longer = 5;
    const QByteArray prefix = dir.endsWith('/') ? dir : dir + '/';
    if (name.size() + longer <= NAME_MAX && prefix.size() + name.size() + longer < PATH_MAX) {
        return prefix + '.' + name + ".new";
    }
    return prefix + (name.startsWith('.') ? '~' : '.') + name.mid(1);
}

} // namespace

// The new content goes into a file of its own beside the old one, which is
// then renamed over it: whoever reads, and whatever ends the program, finds
// either the old file or the new one, never a part. The new file has no name
// while it is written (so an interrupted save leaves nothing behind) or, where
// the file system cannot do that, one fixed hidden name that the next save
// reuses. A write that fails for lack of space leaves the old file alone.
Replaced replaceFile(const QByteArray& file, const QByteArray& content, const struct stat* old)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray(".") : (slash == 0 ? "/" : file.left(slash));
    const QByteArray spare = spareName(dir, file.mid(slash + 1));

    bool ok = false;
    int fd = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        takeOver(fd, old);
        ok = fill(fd, content);
        if (ok) {
            ::unlink(spare.constData());
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, spare.constData(),
                         AT_SYMLINK_FOLLOW) != 0) {
                ::close(fd); // no /proc: write it again under the name
                fd = namedSpare(spare, content, old, ok);
            }
        }
    } else if (noNewFileHere(errno)) {
        return Replaced::NoNewFile;
    } else {
        fd = namedSpare(spare, content, old, ok);
        if (fd < 0) {
            return noNewFileHere(errno) ? Replaced::NoNewFile : Replaced::Failed;
        }
    }
    ok = ok && ::rename(spare.constData(), file.constData()) == 0;
    if (!ok) {
        ::unlink(spare.constData());
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return ok ? Replaced::Done : Replaced::Failed;
}

// Where no new file can be made, the file itself is rewritten. The bytes
// beyond its old end are written first, so running out of space fails before
// anything of the old content is touched; the rest only overwrites bytes the
// file already has.
bool rewriteInPlace(const QByteArray& file, const QByteArray& content)
{
    const int fd = ::open(file.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat st
    {
    };
    bool ok = ::fstat(fd, &st) == 0;
    const qsizetype oldSize = ok ? static_cast<qsizetype>(st.st_size) : 0;
    if (ok && content.size() > oldSize) {
        ok = writeAllAt(fd, content, oldSize, content.size() - oldSize, oldSize);
        if (!ok) {
            std::ignore = ::ftruncate(fd, oldSize); // best effort
        }
    }
    ok = ok && writeAllAt(fd, content, 0, std::min(oldSize, content.size()), 0);
    ok = ok && (content.size() >= oldSize || ::ftruncate(fd, content.size()) == 0);
    ok = ok && ::fdatasync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace platform
