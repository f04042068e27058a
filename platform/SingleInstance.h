#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// At most one running copy per program file and user. The lock lives in the
// user's runtime directory; a lock left by a crashed copy is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& programFile);

    // False when another live copy holds the lock. Where no lock can be made
    // at all, the program starts anyway (true).
    bool acquire();

    // Gives the lock up before an immediate end.
    void release();

    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
