#include "platform/session/DisplayProbe.h"

#include "platform/session/PlatformPlugins.h"
#include "platform/x11/X11Connection.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>

namespace platform {
namespace {

QString x11Problem(const QString& displayArg)
{
    const QByteArray name = displayArg.isEmpty() ? qgetenv("DISPLAY") : displayArg.toLocal8Bit();
    if (name.isEmpty()) {
        return QStringLiteral("X11: DISPLAY ist nicht gesetzt");
    }
    if (!x11::canConnect(name.constData())) {
        return QStringLiteral("X11: „%1“ nicht erreichbar").arg(QString::fromLocal8Bit(name));
    }
    return {};
}

bool socketAccepts(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= static_cast<qsizetype>(sizeof address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

QString waylandProblem()
{
    // A socket handed over by the compositor is already connected.
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        return {};
    }
    QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    if (!QDir::isAbsolutePath(name)) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty()) {
            return QStringLiteral("Wayland: XDG_RUNTIME_DIR ist nicht gesetzt");
        }
        name = QDir(runtime).filePath(name);
    }
    if (!socketAccepts(QFile::encodeName(name))) {
        return QStringLiteral("Wayland: „%1“ nicht erreichbar").arg(name);
    }
    return {};
}

} // namespace

QString unreachableDisplay(const QString& platformArg, const QString& displayArg,
                           const QString& pluginPathArg)
{
    const QString spec =
        platformArg.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platformArg;
    // Qt tries the entries of "a;b" in turn; "name:options" passes options.
    QStringList entries = spec.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (entries.isEmpty()) {
        entries << QStringLiteral("xcb");
    }
    std::optional<QStringList> available;
    QStringList problems;
    for (const QString& entry : entries) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        if (name != QLatin1String("xcb") && !available) {
            available = availablePlatforms(pluginPathArg);
        }
        QString problem;
        if (name == QLatin1String("xcb")) {
            problem = x11Problem(displayArg);
        } else if (!available->contains(name)) {
            // Qt would abort; xcb's plugin is always installed with the clock.
            problem = QStringLiteral("Qt-Plattform „%1“ nicht vorhanden, vorhanden: %2")
                          .arg(name, available->join(QStringLiteral(", ")));
        } else if (name.startsWith(QLatin1String("wayland"))) {
            problem = waylandProblem();
        }
        // offscreen, minimal, vnc, eglfs and others need no display server.
        if (problem.isEmpty()) {
            return {};
        }
        problems << problem;
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace platform
