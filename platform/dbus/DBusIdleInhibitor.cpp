#include "platform/dbus/DBusIdleInhibitor.h"

#include "platform/dbus/DirectPaths.h"
#include "platform/dbus/InhibitLog.h"
#include "platform/dbus/PortalPath.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QThread>

namespace platform {
namespace {

const QString ConnectionName = QStringLiteral("glimmora-idle-inhibit");

QDBusConnection bus()
{
    return QDBusConnection(ConnectionName);
}

bool sandboxed()
{
    return QFile::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP");
}

} // namespace

DBusIdleInhibitor::DBusIdleInhibitor() : m_sandboxed(sandboxed()) {}

DBusIdleInhibitor::~DBusIdleInhibitor()
{
    if (m_connector) {
        m_connector->wait();
    }
    for (InhibitPath* path : m_paths) {
        if (path) {
            path->release();
        }
    }
    if (m_bus == Bus::Up || m_bus == Bus::Connecting) {
        QDBusConnection::disconnectFromBus(ConnectionName);
    }
}

void DBusIdleInhibitor::setInhibited(bool on, WId window)
{
    m_wanted = on;
    if (on) {
        m_window = window;
    }
    if (m_bus == Bus::NotTried && on) {
        connectToBus();
    }
    choose();
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
    m_paths[ScreenSaver] = new ScreenSaverPath(bus(), this);
    m_paths[SessionManager] = new SessionManagerPath(bus(), this);
    m_paths[Portal] = new PortalPath(bus(), this);
    QStringList names;
    for (InhibitPath* path : m_paths) {
        names << path->service();
    }
    // Watched before the names are listed: a change the list misses comes
    // after it.
    m_services = new QDBusServiceWatcher(this);
    m_services->setConnection(bus());
    m_services->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_services->setWatchedServices(names);
    connect(m_services, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& service, const QString&, const QString& newOwner) {
                ownerChanged(service, newOwner);
            });
    auto* listing = new QDBusPendingCallWatcher(
        bus().interface()->asyncCall(QStringLiteral("ListNames")), this);
    connect(listing, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QStringList> reply = *w;
        ownersKnown(reply.isError() ? QStringList() : reply.value());
    });
}

void DBusIdleInhibitor::ownersKnown(const QStringList& names)
{
    for (int i = 0; i < PathCount; ++i) {
        m_owned[i] = names.contains(m_paths[i]->service());
    }
    m_ownersKnown = true;
    choose();
}

void DBusIdleInhibitor::ownerChanged(const QString& service, const QString& newOwner)
{
    for (int i = 0; i < PathCount; ++i) {
        if (m_paths[i]->service() == service) {
            m_owned[i] = !newOwner.isEmpty();
            m_paths[i]->ownerChanged(m_owned[i]);
        }
    }
    choose();
}

void DBusIdleInhibitor::choose()
{
    if (m_bus != Bus::Up || !m_ownersKnown) {
        return;
    }
    // A sandbox sees only the names it was granted; the portal alone does
    // not reach every locker (KDE's forwards to its power manager only).
    m_paths[ScreenSaver]->setWanted(m_wanted && m_owned[ScreenSaver], m_window);
    m_paths[SessionManager]->setWanted(m_wanted && m_owned[SessionManager], m_window);
    const bool direct = m_owned[ScreenSaver] || m_owned[SessionManager];
    // Where nothing owns it the call may start the portal.
    m_paths[Portal]->setWanted(m_wanted && (m_sandboxed || !direct), m_window);
}

} // namespace platform
