#include "platform/dbus/DBusIdleInhibitor.h"

#include "platform/dbus/InhibitLog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QThread>

namespace platform {
namespace {

const QString ConnectionName = QStringLiteral("glimmora-idle-inhibit");

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString PortalInhibit = QStringLiteral("org.freedesktop.portal.Inhibit");
const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");
constexpr uint InhibitIdle = 8;

const QString ScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");

const QString Reason = QStringLiteral("Bildschirmschoner unterdrückt");

QDBusConnection bus()
{
    return QDBusConnection(ConnectionName);
}

// Ends an inhibit; the answer is not waited for.
void sendRelease(bool portal, const QDBusObjectPath& handle, uint cookie)
{
    if (portal) {
        bus().send(QDBusMessage::createMethodCall(PortalService, handle.path(), PortalRequest,
                                                  QStringLiteral("Close")));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("UnInhibit"));
    call << cookie;
    bus().send(call);
}

} // namespace

DBusIdleInhibitor::DBusIdleInhibitor() = default;

DBusIdleInhibitor::~DBusIdleInhibitor()
{
    if (m_connector) {
        m_connector->wait();
    }
    if (m_bus == Bus::Up || m_bus == Bus::Connecting) {
        QDBusConnection::disconnectFromBus(ConnectionName);
    }
}

void DBusIdleInhibitor::setInhibited(bool on, const QString& window)
{
    m_wanted = on;
    if (on) {
        m_window = window;
    }
    switch (m_bus) {
    case Bus::NotTried:
        if (on) {
            connectToBus();
        }
        break;
    case Bus::Up:
        if (on) {
            request();
        } else {
            release();
        }
        break;
    case Bus::Connecting:
    case Bus::Absent:
        break;
    }
}

void DBusIdleInhibitor::connectToBus()
{
    // Connecting waits for the bus's answer (up to the call timeout where a
    // bus hangs); the user-interface thread never does.
    m_bus = Bus::Connecting;
    m_connector.reset(QThread::create(
        [] { QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName); }));
    connect(m_connector.get(), &QThread::finished, this, &DBusIdleInhibitor::busConnected);
    m_connector->start();
}

void DBusIdleInhibitor::busConnected()
{
    if (!bus().isConnected()) {
        qCDebug(lcInhibit) << "no session bus:" << bus().lastError().message();
        m_bus = Bus::Absent;
        return;
    }
    m_bus = Bus::Up;
    m_services = new QDBusServiceWatcher(this);
    m_services->setConnection(bus());
    m_services->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_services->setWatchedServices({PortalService, ScreenSaverService});
    connect(m_services, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& service) { ownerChanged(service); });
    if (m_wanted) {
        request();
    }
}

void DBusIdleInhibitor::request()
{
    if (m_held != Holder::None || m_asking) {
        return;
    }
    m_asking = true;
    askPortal();
}

void DBusIdleInhibitor::askPortal()
{
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath, PortalInhibit,
                                                       QStringLiteral("Inhibit"));
    call << m_window << InhibitIdle << QVariantMap{{QStringLiteral("reason"), Reason}};
    QDBusPendingCallWatcher* watcher = watch(bus().asyncCall(call));
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (!current(w)) {
            // Granted by a round given up on: not ours to keep.
            if (!reply.isError()) {
                sendRelease(true, reply.value(), 0);
            }
            return;
        }
        if (reply.isError()) {
            qCDebug(lcInhibit) << "portal:" << reply.error().name();
            askScreenSaver();
            return;
        }
        granted(Holder::Portal, reply.value(), 0);
    });
}

void DBusIdleInhibitor::askScreenSaver()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        ScreenSaverService, ScreenSaverPath, ScreenSaverService, QStringLiteral("Inhibit"));
    call << QStringLiteral("glimmora") << Reason;
    QDBusPendingCallWatcher* watcher = watch(bus().asyncCall(call));
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint> reply = *w;
        if (!current(w)) {
            if (!reply.isError()) {
                sendRelease(false, {}, reply.value());
            }
            return;
        }
        m_asking = false;
        if (reply.isError()) {
            // Nothing serves an inhibit now; the watcher asks again when
            // one of the services appears.
            qCDebug(lcInhibit) << "screen saver:" << reply.error().name();
            return;
        }
        granted(Holder::ScreenSaver, {}, reply.value());
    });
}

void DBusIdleInhibitor::granted(Holder holder, const QDBusObjectPath& handle, uint cookie)
{
    m_asking = false;
    m_held = holder;
    m_handle = handle;
    m_cookie = cookie;
    qCDebug(lcInhibit) << "inhibit held by"
                       << (holder == Holder::Portal ? "portal" : "screen saver");
    // Switched off while the answer was on its way.
    if (!m_wanted) {
        release();
    }
}

void DBusIdleInhibitor::release()
{
    if (m_held != Holder::None) {
        sendRelease(m_held == Holder::Portal, m_handle, m_cookie);
    }
    m_held = Holder::None;
}

void DBusIdleInhibitor::ownerChanged(const QString& service)
{
    // An inhibit ends with the connection of the service that held it.
    const Holder lost = service == PortalService ? Holder::Portal : Holder::ScreenSaver;
    if (m_held == lost) {
        m_held = Holder::None;
    }
    if (m_asking) {
        // The answers under way may come from the old owner: ask afresh.
        ++m_round;
        m_asking = false;
    }
    if (m_wanted) {
        request();
    }
}

QDBusPendingCallWatcher* DBusIdleInhibitor::watch(const QDBusPendingCall& call)
{
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    watcher->setProperty("round", m_round);
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher, &QObject::deleteLater);
    return watcher;
}

bool DBusIdleInhibitor::current(QDBusPendingCallWatcher* watcher) const
{
    return watcher->property("round").toULongLong() == m_round;
}

} // namespace platform
