#include "SoundServerFixture.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace soundtest {

double steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {

bool acceptsConnections(const QString& socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address = {};
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok =
        fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return ok;
}

// Starts a helper that dies with the test, also if the test crashes;
// stdoutFd, when given, becomes its standard output.
bool startHelper(QProcess& process, const QString& program, const QStringList& args,
                 const QProcessEnvironment& env, const QString& logPath, int stdoutFd = -1)
{
    process.setProcessEnvironment(env);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(logPath, QIODevice::Append);
    process.setStandardErrorFile(logPath, QIODevice::Append);
    process.setChildProcessModifier([stdoutFd] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (stdoutFd >= 0) {
            ::dup2(stdoutFd, 1);
        }
    });
    process.start(program, args);
    return process.waitForStarted(5000);
}

void stopHelper(QProcess& process)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(1000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

} // namespace

QProcessEnvironment PulseTestServer::clientEnv() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", address());
    env.insert("HOME", m_dir + "/home");
    env.insert("XDG_RUNTIME_DIR", m_dir + "/runtime");
    return env;
}

bool PulseTestServer::start()
{
    QDir(m_dir).mkpath("home");
    QDir(m_dir).mkpath("runtime");
    QFile::setPermissions(m_dir + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::remove(m_dir + "/native");
    // The sink first: once the socket answers, everything is there.
    const QStringList args = {
        "--daemonize=no",
        "-n",
        "--exit-idle-time=-1",
        "--disallow-exit",
        "--use-pid-file=no",
        "--log-target=stderr",
        "--load=module-null-sink sink_name=rec rate=48000 channels=2" +
            QString(m_rewinds ? "" : " norewinds=1"),
        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_dir + "/native"};
    if (!startHelper(m_process, "pulseaudio", args, clientEnv(), m_dir + "/pulseaudio.log")) {
        return false;
    }
    const double deadline = steadySeconds() + 10;
    while (steadySeconds() < deadline && !m_process.waitForFinished(10)) {
        if (acceptsConnections(m_dir + "/native")) {
            return true;
        }
    }
    stop();
    return false;
}

void PulseTestServer::stop()
{
    stopHelper(m_process);
}

QString PulseTestServer::log() const
{
    QFile file(m_dir + "/pulseaudio.log");
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

void PulseTestServer::wakeSink() const
{
    for (const char* state : {"1", "0"}) {
        QProcess pactl;
        pactl.setProcessEnvironment(clientEnv());
        pactl.start("pactl", {"suspend-sink", "rec", state});
        pactl.waitForFinished(5000);
    }
}

bool MonitorRecorder::start(const PulseTestServer& server, const QString& logPath, int latencyMsec)
{
    stop();
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return false;
    }
    const QStringList args = {"-d",
                              "rec.monitor",
                              "--raw",
                              "--format=s16le",
                              "--rate=" + QString::number(kRate),
                              "--channels=1",
                              "--latency-msec=" + QString::number(latencyMsec)};
    const bool started = startHelper(m_process, "parec", args, server.clientEnv(), logPath, fds[1]);
    ::close(fds[1]);
    m_pipe = fds[0];
    if (!started) {
        stop();
        return false;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_samples.clear();
        m_start = 1e300;
    }
    m_reader = std::thread(&MonitorRecorder::readLoop, this, m_pipe);
    return true;
}

void MonitorRecorder::stop()
{
    // The reader sees the end of the pipe once the recorder is gone.
    stopHelper(m_process);
    if (m_reader.joinable()) {
        m_reader.join();
    }
    if (m_pipe >= 0) {
        ::close(m_pipe);
        m_pipe = -1;
    }
}

void MonitorRecorder::readLoop(int fd)
{
    std::vector<char> buffer(1 << 16);
    std::size_t carry = 0; // an odd byte left from the previous read
    std::size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data() + carry, buffer.size() - carry);
        const double now = steadySeconds();
        if (got <= 0) {
            return;
        }
        const std::size_t bytes = carry + std::size_t(got);
        const std::size_t frames = bytes / 2;
        const std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < frames; ++i) {
            const auto lo = static_cast<unsigned char>(buffer[2 * i]);
            const auto hi = static_cast<unsigned char>(buffer[2 * i + 1]);
            m_samples.push_back(static_cast<std::int16_t>(lo | (hi << 8)));
        }
        total += frames;
        carry = bytes % 2;
        if (carry != 0) {
            buffer[0] = buffer[bytes - 1];
        }
        // A frame arrives no earlier than the server mixed it, so the read
        // with the least delay places sample 0 best.
        m_start = std::min(m_start, now - double(total) / kRate);
    }
}

MonitorRecorder::Take MonitorRecorder::take() const
{
    const std::lock_guard lock(m_mutex);
    return Take{m_samples, m_start};
}

bool MonitorRecorder::covers(double seconds) const
{
    const std::lock_guard lock(m_mutex);
    return !m_samples.empty() && m_start + double(m_samples.size()) / kRate >= seconds;
}

std::size_t MonitorRecorder::Take::frameAt(double seconds) const
{
    const double frame = (seconds - start) * kRate;
    return frame <= 0 ? 0 : std::min(samples.size(), std::size_t(frame));
}

} // namespace soundtest
