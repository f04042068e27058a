#include "platform/session/SessionEnd.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

// What a signal handler and an exit handler may reach: plain process-wide
// data, set while a SessionEnd lives.
int wakeWrite = -1;
int wakeRead = -1;
std::function<void()>* pendingEnd = nullptr;

constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void onEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    errno = saved;
}

extern "C" void onExit()
{
    if (pendingEnd && *pendingEnd) {
        std::exchange(*pendingEnd, nullptr)();
    }
}

} // namespace

SessionEnd::SessionEnd(std::function<void()> end, QObject* parent) : QObject(parent)
{
    static std::function<void()> endOnce;
    static bool exitHandlerSet = false;
    endOnce = std::move(end);
    pendingEnd = &endOnce;
    if (!exitHandlerSet) {
        exitHandlerSet = std::atexit(onExit) == 0;
    }

    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        return;
    }
    // A full pair must not block the handler; surplus bytes say nothing new.
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    wakeWrite = fds[0];
    wakeRead = fds[1];
    auto* notifier = new QSocketNotifier(wakeRead, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { run(); });

    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : EndSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

SessionEnd::~SessionEnd()
{
    for (int signal : EndSignals) {
        ::signal(signal, SIG_DFL);
    }
    pendingEnd = nullptr;
    if (wakeWrite >= 0) {
        ::close(std::exchange(wakeWrite, -1));
        ::close(std::exchange(wakeRead, -1));
    }
}

void SessionEnd::run()
{
    char bytes[16];
    [[maybe_unused]] const ssize_t got = ::read(wakeRead, bytes, sizeof bytes);
    onExit();
}

} // namespace platform
