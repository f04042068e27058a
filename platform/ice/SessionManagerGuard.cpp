#include "platform/ice/SessionManagerGuard.h"

#include "platform/session/SessionLog.h"

#include <QByteArray>
#include <QByteArrayList>

#include <X11/ICE/ICElib.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

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

enum class Answer
{
    NoConnection,
    Greets,
    Silent,
};

// On a new connection an ICE server speaks first, with its byte order.
Answer greeting(const sockaddr* address, socklen_t length, Clock::time_point until)
{
    const int fd = ::socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return Answer::NoConnection;
    }
    Answer answer = Answer::NoConnection;
    if (::connect(fd, address, length) == 0 ||
        ((errno == EINPROGRESS || errno == EAGAIN) && waitFor(fd, POLLOUT, until))) {
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) {
            char first[8];
            answer = waitFor(fd, POLLIN, until) && ::recv(fd, first, sizeof first, 0) > 0
                         ? Answer::Greets
                         : Answer::Silent;
        }
    }
    ::close(fd);
    return answer;
}

Answer unixGreeting(const QByteArray& path, bool abstract, Clock::time_point until)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0;
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof address.sun_path)) {
        return Answer::NoConnection;
    }
    std::memcpy(address.sun_path + offset, path.constData(), size_t(path.size()));
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(offset + path.size()));
    return greeting(reinterpret_cast<const sockaddr*>(&address), length, until);
}

Answer tcpGreeting(const QByteArray& host, const QByteArray& port, Clock::time_point until)
{
    addrinfo hints = {};
    hints.ai_socktype = SOCK_STREAM;
    // Numbers only: a name to look up may take longer than the whole start,
    // so a host name counts as silent.
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.constData(), port.constData(), &hints, &found) != 0) {
        return Answer::Silent;
    }
    Answer answer = Answer::NoConnection;
    for (addrinfo* a = found; a && answer == Answer::NoConnection; a = a->ai_next) {
        answer = greeting(a->ai_addr, a->ai_addrlen, until);
    }
    ::freeaddrinfo(found);
    return answer;
}

// One network id of the list: "local/host:/path", "unix/host:/path" (the
// abstract name first, as libICE tries it) or "tcp/host:port".
Answer idGreeting(const QByteArray& id, Clock::time_point until)
{
    const qsizetype slash = id.indexOf('/');
    const qsizetype colon = id.indexOf(':', slash + 1);
    if (slash < 0 || colon < 0) {
        return Answer::NoConnection;
    }
    const QByteArray kind = id.left(slash);
    const QByteArray rest = id.mid(colon + 1);
    if (kind == "local" || kind == "unix") {
        const Answer abstract = unixGreeting(rest, true, until);
        return abstract != Answer::NoConnection ? abstract : unixGreeting(rest, false, until);
    }
    if (kind == "tcp") {
        return tcpGreeting(id.mid(slash + 1, colon - slash - 1), rest, until);
    }
    return Answer::NoConnection;
}

extern "C" void dropBrokenConnection(IceConn connection)
{
    // Qt keeps watching the descriptor: a socket nothing is ever written to
    // takes its place, so it stays quiet until Qt closes it at the end.
    const int fd = IceConnectionNumber(connection);
    int quiet[2];
    if (fd >= 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, quiet) == 0) {
        ::dup3(quiet[0], fd, O_CLOEXEC);
        ::close(quiet[0]);
        // The other end stays open: closed, the socket would read as ended.
    }
    qCDebug(lcSession) << "session manager gone: running on without it";
}

} // namespace

void leaveDeafSessionManager(std::chrono::milliseconds deadline)
{
    const QByteArray ids = qgetenv("SESSION_MANAGER");
    if (ids.isEmpty()) {
        return;
    }
    const Clock::time_point until = Clock::now() + deadline;
    // libICE takes the ids in turn and stays with the first that connects.
    for (const QByteArray& id : ids.split(',')) {
        const Answer answer = idGreeting(id.trimmed(), until);
        if (answer == Answer::Greets) {
            return;
        }
        if (answer == Answer::Silent) {
            break;
        }
    }
    qCDebug(lcSession) << "session manager" << ids << "does not answer: running without it";
    qunsetenv("SESSION_MANAGER");
}

void keepRunningWhenSessionManagerDies()
{
    IceSetIOErrorHandler(dropBrokenConnection);
}

} // namespace platform
