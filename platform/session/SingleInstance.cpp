#include "platform/session/SingleInstance.h"

#include "platform/session/SessionLog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace platform {
namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Where the user has no runtime folder of their own (no XDG_RUNTIME_DIR, and
// another user made Qt's fallback first): one the clock makes, used only
// while it is a folder of this user that no one else may enter.
QString ownRuntimeFolder()
{
    const QByteArray dir =
        QFile::encodeName(QDir::tempPath()) + "/glimmora-" + QByteArray::number(::geteuid());
    (void)::mkdir(dir.constData(), 0700);
    struct stat st
    {
    };
    if (::lstat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0) {
        qCWarning(lcSession) << "no private runtime folder (" << dir
                             << "is not one): running without the single-start lock";
        return {};
    }
    return QFile::decodeName(dir);
}

} // namespace

SingleInstance::SingleInstance(const QByteArray& programFile)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = ownRuntimeFolder();
    }
    if (dir.isEmpty()) {
        return;
    }
    const QByteArray hash =
        QCryptographicHash::hash(programFile, QCryptographicHash::Sha256).toHex();
    m_path = QDir(dir).filePath(
        QStringLiteral("glimmora-%1.lock").arg(QString::fromLatin1(hash.left(24))));
}

SingleInstance::SingleInstance(const QString& programFile)
    : SingleInstance(QFile::encodeName(programFile))
{}

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::siblingPath(const char* suffix) const
{
    if (m_path.isEmpty()) {
        return {};
    }
    return m_path.left(m_path.size() - 4) + QLatin1String(suffix);
}

bool SingleInstance::acquire()
{
    if (m_path.isEmpty() || m_fd >= 0) {
        return true;
    }
    const QByteArray path = QFile::encodeName(m_path);
    // A few rounds: a copy ending right now removes the name we opened.
    for (int round = 0; round < 5; ++round) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            qCWarning(lcSession) << "no lock at" << m_path << ":" << strerror(errno)
                                 << "- starting without it";
            return true;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return !held;
        }
        struct stat opened
        {
        };
        struct stat named
        {
        };
        if (::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 &&
            sameFile(opened, named)) {
            m_fd = fd;
            // The holder's number, for people looking; the lock itself is the flock.
            const QByteArray pid = QByteArray::number(::getpid()) + '\n';
            if (::ftruncate(fd, 0) == 0) {
                std::ignore = ::pwrite(fd, pid.constData(), size_t(pid.size()), 0);
            }
            return true;
        }
        ::close(fd);
    }
    return true;
}

void SingleInstance::release()
{
    if (m_fd < 0) {
        return;
    }
    // What goes with the lock, then the name, so a start that opened it
    // before finds it gone.
    ::unlink(QFile::encodeName(siblingPath("sock")).constData());
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

} // namespace platform
