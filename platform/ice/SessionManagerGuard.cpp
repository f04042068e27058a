#include "platform/ice/SessionManagerGuard.h"

#include "platform/session/SessionLog.h"

#include <QByteArray>
#include <QByteArrayList>

#include <X11/ICE/ICElib.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
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
    GreetsOnFile, // libICE tries the abstract name first and retries a second later
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

Answer unixGreeting(const QByteArray& name, bool abstract, Clock::time_point until)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path)) {
        return Answer::NoConnection;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (abstract) {
        address.sun_path[0] = '\0';
    }
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(name.size()));
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
        // As libICE names sockets: "@name" is the abstract "name" (and the
        // file "@name"); "/path" the abstract "/path", then the file; a bare
        // name lives in /tmp/.ICE-unix/.
        const QByteArray file =
            rest.startsWith('@') || rest.startsWith('/') ? rest : "/tmp/.ICE-unix/" + rest;
        const QByteArray abstractName = rest.startsWith('@') ? file : '@' + file;
        const Answer abstract = unixGreeting(abstractName, true, until);
        if (abstract != Answer::NoConnection) {
            return abstract;
        }
        const Answer onFile = unixGreeting(file, false, until);
        return onFile == Answer::Greets ? Answer::GreetsOnFile : onFile;
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

struct Handshake
{
    std::mutex lock;
    std::condition_variable done;
    std::optional<bool> answered;
};

// Whether the manager at `id` completes ICE's connection set-up in time:
// one that greets and then stalls would hold Qt's registration for good.
// libICE waits without a limit, so it runs on a thread left behind if late.
bool completesSetUp(const QByteArray& id, Clock::time_point until)
{
    auto handshake = std::make_shared<Handshake>();
    std::thread([id, handshake] {
        char why[256] = {};
        const IceConn connection = IceOpenConnection(const_cast<char*>(id.constData()), nullptr,
                                                     False, 0, sizeof why, why);
        if (connection) {
            IceCloseConnection(connection);
        }
        const std::lock_guard<std::mutex> hold(handshake->lock);
        handshake->answered = connection != nullptr;
        handshake->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> hold(handshake->lock);
    handshake->done.wait_until(hold, until, [&] { return handshake->answered.has_value(); });
    return handshake->answered.value_or(false);
}

} // namespace

void leaveDeafSessionManager(std::chrono::milliseconds deadline)
{
    const QByteArray ids = qgetenv("SESSION_MANAGER");
    if (ids.isEmpty()) {
        return;
    }
    // libICE takes the ids in turn and stays with the first that connects,
    // also with a silent one: the clock is handed the first that greets (a
    // live manager greets within milliseconds).
    for (const QByteArray& listed : ids.split(',')) {
        const QByteArray id = listed.trimmed();
        const Answer answer = idGreeting(id, Clock::now() + deadline / 4);
        const auto retry =
            answer == Answer::GreetsOnFile ? std::chrono::seconds(1) : Clock::duration();
        if ((answer == Answer::Greets || answer == Answer::GreetsOnFile) &&
            completesSetUp(id, Clock::now() + deadline + retry)) {
            if (id != ids) {
                qCDebug(lcSession) << "session manager reached at" << id << "of" << ids;
                qputenv("SESSION_MANAGER", id);
            }
            return;
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
