#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// At most one running copy per program file and user. The lock is a file in
// the user's runtime directory held with flock(): the kernel lets go of it
// when its holder ends, however it ends, so whatever a file left behind says
// (nothing, garbage, a dead process) never keeps a later start out.
class SingleInstance
{
public:
    // `programFile` as the file system names it (bytes); the QString form is
    // encoded as file names are.
    explicit SingleInstance(const QByteArray& programFile);
    explicit SingleInstance(const QString& programFile);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another live copy holds the lock. Where no lock can be made
    // at all, the program starts anyway (true).
    bool acquire();

    // Gives the lock up before an immediate end, with the socket beside it.
    void release();

    QString lockPath() const { return m_path; }

    // The name both copies agree on for anything else beside the lock,
    // e.g. "sock" gives glimmora-<hash>.sock.
    QString siblingPath(const char* suffix) const;

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace platform
