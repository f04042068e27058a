#include "platform/dbus/CookiePath.h"

#include <QDBusMessage>

namespace platform {

CookiePath::CookiePath(const QDBusConnection& bus, const QString& service, const QString& path,
                       const QString& releaseMethod, QObject* parent)
    : InhibitPath(bus, service, parent), m_path(path), m_releaseMethod(releaseMethod)
{}

QDBusMessage CookiePath::methodCall(const QString& destination, const QString& method) const
{
    return QDBusMessage::createMethodCall(destination, m_path, service(), method);
}

QDBusMessage CookiePath::releaseCall(const QString& owner, const QVariant& grant) const
{
    QDBusMessage call = methodCall(owner, m_releaseMethod);
    call << grant;
    return call;
}

QVariant CookiePath::grantOf(const QDBusMessage& reply)
{
    const QVariantList args = reply.arguments();
    if (args.size() != 1 || args[0].metaType().id() != QMetaType::UInt) {
        return {};
    }
    return args[0];
}

} // namespace platform
