#include "platform/dbus/DirectPaths.h"

#include "platform/dbus/InhibitNames.h"

#include <QDBusMessage>

namespace platform {

ScreenSaverPath::ScreenSaverPath(const QDBusConnection& bus, QObject* parent)
    : CookiePath(bus, QStringLiteral("org.freedesktop.ScreenSaver"),
                 QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("UnInhibit"),
                 parent)
{}

QDBusMessage ScreenSaverPath::inhibitCall(WId)
{
    QDBusMessage call = methodCall(service(), QStringLiteral("Inhibit"));
    call << inhibit::AppName << inhibit::Reason;
    return call;
}

} // namespace platform
