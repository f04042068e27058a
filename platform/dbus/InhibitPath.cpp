#include "platform/dbus/InhibitPath.h"

#include "platform/dbus/InhibitLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace platform {

InhibitPath::InhibitPath(const QDBusConnection& bus, const QString& service, QObject* parent)
    : QObject(parent), m_bus(bus), m_service(service)
{}

void InhibitPath::setWanted(bool on, WId window)
{
    if (on) {
        m_window = window;
    }
    if (on == m_wanted) {
        return;
    }
    m_wanted = on;
    if (on) {
        ask();
    } else {
        release();
    }
}

void InhibitPath::ownerChanged(bool owned)
{
    release();
    if (m_asking) {
        ++m_round;
        m_asking = false;
    }
    if (owned) {
        ask();
    }
}

void InhibitPath::release()
{
    if (!m_grant.isValid()) {
        return;
    }
    // Addressed to the connection that granted it: a new owner's cookies
    // may repeat the old one's.
    m_bus.send(releaseCall(m_owner, m_grant));
    qCDebug(lcInhibit) << m_service << "released";
    m_grant.clear();
}

bool InhibitPath::revoked(const QVariant& grant)
{
    if (!m_grant.isValid() || m_grant != grant) {
        return false;
    }
    qCDebug(lcInhibit) << m_service << "withdrew the inhibit";
    m_grant.clear();
    return true;
}

void InhibitPath::ask()
{
    if (!m_wanted || m_asking || m_grant.isValid()) {
        return;
    }
    m_asking = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(inhibitCall(m_window)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, round = m_round](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                replied(round, w->reply());
            });
}

void InhibitPath::replied(quint64 round, const QDBusMessage& reply)
{
    const QVariant grant = reply.type() == QDBusMessage::ReplyMessage ? grantOf(reply) : QVariant();
    const bool current = round == m_round;
    if (current) {
        m_asking = false;
    }
    if (!grant.isValid()) {
        qCDebug(lcInhibit) << m_service << "refused:" << reply.errorName() << reply.errorMessage();
        return;
    }
    if (!current || !m_wanted) {
        // Switched off, or the owner changed, while the answer was on its way.
        m_bus.send(releaseCall(reply.service(), grant));
        return;
    }
    m_grant = grant;
    m_owner = reply.service();
    qCDebug(lcInhibit) << m_service << "holds the inhibit";
}

} // namespace platform
