#pragma once

#include "platform/IdleInhibitor.h"

#include <QObject>
#include <array>
#include <memory>

class QDBusServiceWatcher;
class QThread;

namespace platform {

class InhibitPath;

// Idle inhibit over the session bus. The clock holds one at each of
// org.freedesktop.ScreenSaver and org.gnome.SessionManager that has an owner
// it can see: portals in front of them forward with an empty application
// name outside a sandbox, which real savers and sessions refuse while the
// portal reports success. The portal is asked from a sandbox (as well), or
// where neither has an owner.
// The bus is connected on a thread of its own at the first request, every
// call is asynchronous, and a service that gets a new owner while the
// inhibit is wanted is asked again. Ending the process drops the connection,
// which ends the inhibits on the services' side.
class DBusIdleInhibitor final : public QObject, public IdleInhibitor
{
    Q_OBJECT
public:
    DBusIdleInhibitor();
    ~DBusIdleInhibitor() override;

    void setInhibited(bool on, WId window) override;

private:
    enum class Bus
    {
        NotTried,
        Connecting,
        Up,
        Absent
    };
    enum Path
    {
        ScreenSaver,
        SessionManager,
        Portal,
        PathCount
    };

    void connectToBus();
    void busConnected();
    void ownersKnown(const QStringList& names);
    void ownerChanged(const QString& service, const QString& newOwner);
    // Which paths hold an inhibit now.
    void choose();

    Bus m_bus = Bus::NotTried;
    std::unique_ptr<QThread> m_connector;
    QDBusServiceWatcher* m_services = nullptr;
    std::array<InhibitPath*, PathCount> m_paths{};
    std::array<bool, PathCount> m_owned{};
    bool m_ownersKnown = false;
    const bool m_sandboxed;

    bool m_wanted = false;
    WId m_window = 0;
};

} // namespace platform
