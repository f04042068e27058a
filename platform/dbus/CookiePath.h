#pragma once

#include "platform/dbus/InhibitPath.h"

namespace platform {

// A service whose Inhibit answers a uint cookie that its release method
// takes back.
class CookiePath : public InhibitPath
{
    Q_OBJECT
public:
    CookiePath(const QDBusConnection& bus, const QString& service, const QString& path,
               const QString& releaseMethod, QObject* parent);

protected:
    QDBusMessage methodCall(const QString& destination, const QString& method) const;
    QDBusMessage releaseCall(const QString& owner, const QVariant& grant) const override;
    QVariant grantOf(const QDBusMessage& reply) override;

private:
    QString m_path;
    QString m_releaseMethod;
};

} // namespace platform
