#pragma once

#include "platform/dbus/InhibitPath.h"

#include <QDBusObjectPath>

namespace platform {

// The desktop portal's Inhibit (idle): the way out of a sandbox. The grant
// is a request handle; a Response other than 0 on it means the inhibit was
// not taken after all.
class PortalPath final : public InhibitPath
{
    Q_OBJECT
public:
    PortalPath(const QDBusConnection& bus, QObject* parent);

protected:
    QDBusMessage inhibitCall(WId window) override;
    QDBusMessage releaseCall(const QString& owner, const QVariant& grant) const override;
    QVariant grantOf(const QDBusMessage& reply) override;

private slots:
    void response(const QDBusMessage& signal);

private:
    uint m_token = 0;
    // A handle that failed before its Inhibit reply came in.
    QString m_failed;
};

} // namespace platform
