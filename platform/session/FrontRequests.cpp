#include "platform/session/FrontRequests.h"

#include <QFile>
#include <QSocketNotifier>

#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

// False where the path does not fit a socket address.
bool addressOf(const QString& path, sockaddr_un& address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

} // namespace

FrontRequests::FrontRequests(const QString& path, std::function<void()> toFront)
    : m_path(path), m_toFront(std::move(toFront))
{
    sockaddr_un address;
    if (!addressOf(path, address)) {
        return;
    }
    m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        return;
    }
    // Whoever holds the lock owns the name.
    ::unlink(address.sun_path);
    if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_fd, 4) != 0) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FrontRequests::accept);
}

FrontRequests::~FrontRequests()
{
    if (m_fd >= 0) {
        delete m_notifier;
        ::close(m_fd);
        ::unlink(QFile::encodeName(m_path).constData());
    }
}

void FrontRequests::accept()
{
    for (;;) {
        const int client = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            return;
        }
        ucred peer{};
        socklen_t size = sizeof peer;
        if (::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
            peer.uid == ::getuid()) {
            m_toFront();
            const char done = '1';
            (void)::send(client, &done, 1, MSG_NOSIGNAL);
        }
        ::close(client);
    }
}

bool FrontRequests::ask(const QString& path, std::chrono::milliseconds timeout)
{
    sockaddr_un address;
    if (!addressOf(path, address)) {
        return false;
    }
    // Never waits to connect: a clock that stopped taking calls leaves its queue full.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    bool answered = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        pollfd wait{fd, POLLIN, 0};
        char done = 0;
        answered = ::poll(&wait, 1, int(timeout.count())) == 1 && ::recv(fd, &done, 1, 0) == 1;
    }
    ::close(fd);
    return answered;
}

} // namespace platform
