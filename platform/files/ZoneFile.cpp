#include "platform/files/ZoneFile.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <atomic>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(lcZone, "glimmora.time", QtCriticalMsg)

// The file the C library opens for TZ: the default zone file when unset,
// none when empty, else the name (a leading ':' dropped) under TZDIR unless
// absolute. A rule such as "CET-1CEST" is tried as a file first too.
QByteArray zoneFilePath()
{
    if (!qEnvironmentVariableIsSet("TZ")) {
        return QByteArrayLiteral("/etc/localtime");
    }
    QByteArray name = qgetenv("TZ");
    if (name.startsWith(':')) {
        name.remove(0, 1);
    }
    if (name.isEmpty() || name.startsWith('/')) {
        return name;
    }
    QByteArray dir = qgetenv("TZDIR");
    return (dir.isEmpty() ? QByteArrayLiteral("/usr/share/zoneinfo") : dir) + '/' + name;
}

} // namespace

bool zoneFileReadable()
{
    static std::atomic<bool> refused{false};
    const QByteArray path = zoneFilePath();
    struct stat st
    {
    };
    // A missing file is the library's own case (UTC or a rule), never a wait.
    const bool usable = path.isEmpty() || ::stat(path.constData(), &st) != 0 ||
                        (S_ISREG(st.st_mode) && ::access(path.constData(), R_OK) == 0);
    if (refused.exchange(!usable) != !usable && !usable) {
        qCWarning(lcZone) << "time zone file" << path << "is not a readable file: showing UTC";
    }
    return usable;
}

} // namespace platform
