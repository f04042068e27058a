#include "platform/dbus/DirectPaths.h"

#include "platform/dbus/InhibitNames.h"

#include <QDBusMessage>

namespace platform {

SessionManagerPath::SessionManagerPath(const QDBusConnection& bus, QObject* parent)
    : CookiePath(bus, QStringLiteral("org.gnome.SessionManager"),
                 QStringLiteral("/org/gnome/SessionManager"), QStringLiteral("Uninhibit"), parent)
{}

QDBusMessage SessionManagerPath::inhibitCall(WId window)
{
    QDBusMessage call = methodCall(service(), QStringLiteral("Inhibit"));
    // X window ids are 32 bits on the wire.
    call << inhibit::AppName << static_cast<uint>(window) << inhibit::Reason << inhibit::IdleFlag;
    return call;
}

} // namespace platform
