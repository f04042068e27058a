#include "platform/dbus/PortalPath.h"

#include "platform/dbus/InhibitNames.h"

#include <QDBusMessage>

namespace platform {
namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Request = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

PortalPath::PortalPath(const QDBusConnection& bus, QObject* parent)
    : InhibitPath(bus, Service, parent)
{
    // Every request's handle: the path is only known for sure from the reply,
    // and the Response may come before it.
    m_bus.connect(Service, QString(), Request, QStringLiteral("Response"), this,
                  SLOT(response(QDBusMessage)));
}

QDBusMessage PortalPath::inhibitCall(WId window)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
    const QString parent =
        window ? QStringLiteral("x11:") + QString::number(window, 16) : QString();
    call << parent << inhibit::IdleFlag
         << QVariantMap{
                {QStringLiteral("handle_token"), QStringLiteral("glimmora%1").arg(++m_token)},
                {QStringLiteral("reason"), inhibit::Reason}};
    return call;
}

QDBusMessage PortalPath::releaseCall(const QString& owner, const QVariant& grant) const
{
    return QDBusMessage::createMethodCall(owner, grant.toString(), Request,
                                          QStringLiteral("Close"));
}

QVariant PortalPath::grantOf(const QDBusMessage& reply)
{
    const QVariantList args = reply.arguments();
    if (args.size() != 1 || !args[0].canConvert<QDBusObjectPath>()) {
        return {};
    }
    const QString handle = args[0].value<QDBusObjectPath>().path();
    if (handle == m_failed) {
        m_failed.clear();
        return {};
    }
    return handle;
}

void PortalPath::response(const QDBusMessage& signal)
{
    const QVariantList args = signal.arguments();
    if (args.isEmpty() || args[0].toUInt() == 0) {
        return;
    }
    // The request under way may fail before its reply names the handle.
    const QString handle = signal.path();
    if (!revoked(handle) && handle.endsWith(QStringLiteral("/glimmora%1").arg(m_token))) {
        m_failed = handle;
    }
}

} // namespace platform
