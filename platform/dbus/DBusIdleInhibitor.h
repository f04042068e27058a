#pragma once

#include "platform/IdleInhibitor.h"

#include <QDBusObjectPath>
#include <QObject>
#include <memory>

class QDBusPendingCall;
class QDBusPendingCallWatcher;
class QDBusServiceWatcher;
class QThread;

namespace platform {

// Idle inhibit over the session bus: the desktop portal's Inhibit (idle flag)
// first, the org.freedesktop.ScreenSaver service where no portal answers. The
// bus is connected on a thread of its own at the first request, every call is
// asynchronous, and a service that appears or restarts while the inhibit is
// wanted is asked again. Ending the process drops the connection, which ends
// the inhibit on the desktop's side.
class DBusIdleInhibitor final : public QObject, public IdleInhibitor
{
    Q_OBJECT
public:
    DBusIdleInhibitor();
    ~DBusIdleInhibitor() override;

    void setInhibited(bool on, const QString& window) override;

private:
    enum class Bus
    {
        NotTried,
        Connecting,
        Up,
        Absent
    };
    enum class Holder
    {
        None,
        Portal,
        ScreenSaver
    };

    void connectToBus();
    void busConnected();
    void request();
    void askPortal();
    void askScreenSaver();
    void granted(Holder holder, const QDBusObjectPath& handle, uint cookie);
    void release();
    void ownerChanged(const QString& service);
    // Watches a call made for the current round of asking; replies to an older
    // round are dropped.
    QDBusPendingCallWatcher* watch(const QDBusPendingCall& call);
    bool current(QDBusPendingCallWatcher* watcher) const;

    Bus m_bus = Bus::NotTried;
    std::unique_ptr<QThread> m_connector;
    QDBusServiceWatcher* m_services = nullptr;

    bool m_wanted = false;
    QString m_window;
    bool m_asking = false;
    quint64 m_round = 0;
    Holder m_held = Holder::None;
    QDBusObjectPath m_handle;
    uint m_cookie = 0;
};

} // namespace platform
