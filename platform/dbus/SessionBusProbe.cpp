#include "platform/dbus/SessionBusProbe.h"

#include "platform/dbus/InhibitLog.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// The socket of one entry of a bus address ("unix:path=..." or
// "unix:abstract=..."); nothing for any other kind.
std::optional<sockaddr_un> unixSocketOf(const QByteArray& entry, socklen_t& length)
{
    if (!entry.startsWith("unix:")) {
        return std::nullopt;
    }
    for (const QByteArray& pair : entry.mid(5).split(',')) {
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = pair.left(eq);
        if (eq < 0 || (key != "path" && key != "abstract")) {
            continue;
        }
        const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(eq + 1));
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const qsizetype offset = key == "abstract" ? 1 : 0;
        if (value.isEmpty() || value.size() + offset >= qsizetype(sizeof address.sun_path)) {
            return std::nullopt;
        }
        std::memcpy(address.sun_path + offset, value.constData(), size_t(value.size()));
        length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset + value.size()) +
                           (offset ? 0 : 1));
        return address;
    }
    return std::nullopt;
}

bool waitFor(int fd, short events, Clock::time_point until)
{
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        pollfd watched = {fd, events, 0};
        const int ready = ::poll(&watched, 1, int(left));
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
}

// Whether the daemon at `address` takes part in the first step of the
// authentication (an AUTH without mechanism is answered with the list of
// those it knows) before `until`.
bool answers(const sockaddr_un& address, socklen_t length, Clock::time_point until)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 ||
        ((errno == EINPROGRESS || errno == EAGAIN) && waitFor(fd, POLLOUT, until))) {
        static const char hello[] = "\0AUTH\r\n";
        if (::send(fd, hello, sizeof hello - 1, MSG_NOSIGNAL) == ssize_t(sizeof hello - 1) &&
            waitFor(fd, POLLIN, until)) {
            char reply[64];
            answered = ::recv(fd, reply, sizeof reply, 0) > 0;
        }
    }
    ::close(fd);
    return answered;
}

// The address libdbus uses: the variable, else the user's bus in the runtime
// directory where one exists.
QByteArray sessionBusAddress()
{
    QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() && qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString bus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        if (QFileInfo::exists(bus)) {
            address = "unix:path=" + QFile::encodeName(bus);
        }
    }
    return address;
}

} // namespace

void leaveSilentSessionBus(std::chrono::milliseconds deadline)
{
    const QByteArray address = sessionBusAddress();
    if (address.isEmpty()) {
        return;
    }
    const Clock::time_point until = Clock::now() + deadline;
    // libdbus takes the first entry that connects.
    for (const QByteArray& entry : address.split(';')) {
        if (entry.isEmpty()) {
            continue;
        }
        socklen_t length = 0;
        const std::optional<sockaddr_un> socket = unixSocketOf(entry, length);
        if (!socket) {
            return;
        }
        if (answers(*socket, length, until)) {
            return;
        }
    }
    qCDebug(lcInhibit) << "session bus" << address << "does not answer: running without it";
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace platform
