#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace platform {

SingleInstance::SingleInstance(const QString& programFile)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        return;
    }
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(programFile), QCryptographicHash::Sha256)
            .toHex();
    m_path = QDir(dir).filePath(
        QStringLiteral("glimmora-%1.lock").arg(QString::fromLatin1(hash.left(24))));
}

bool SingleInstance::acquire()
{
    if (m_path.isEmpty()) {
        return true;
    }
    m_lock = std::make_unique<QLockFile>(m_path);
    // 0: never stale by age; Qt then checks whether the holder still lives.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        return true;
    }
    return m_lock->error() != QLockFile::LockFailedError;
}

void SingleInstance::release()
{
    if (m_lock) {
        m_lock->unlock();
    }
}

} // namespace platform
