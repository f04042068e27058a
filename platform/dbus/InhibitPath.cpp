#include "platform/dbus/InhibitPath.h"

#include "platform/dbus/InhibitLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <climits>

namespace platform {
namespace {

// How long the clock waits for a grant before it asks again, and how far the
// repeats spread out.
constexpr int AnswerTimeMs = 5000;
constexpr int FirstRetryMs = 5000;
constexpr int LongestRetryMs = 300000;

} // namespace

InhibitPath::InhibitPath(const QDBusConnection& bus, const QString& service, QObject* parent)
    : QObject(parent), m_bus(bus), m_service(service)
{
    m_answerTime.setSingleShot(true);
    m_answerTime.setInterval(AnswerTimeMs);
    connect(&m_answerTime, &QTimer::timeout, this, &InhibitPath::unanswered);
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &InhibitPath::ask);
}

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
        stopRetrying();
        release();
    }
}

void InhibitPath::ownerChanged(bool owned)
{
    release();
    stopRetrying();
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
    // The bus never gives up on the answer (its own limit would drop a late
    // grant unseen); the clock's own timer stops waiting for it.
    m_answerTime.start();
    auto* watcher =
        new QDBusPendingCallWatcher(m_bus.asyncCall(inhibitCall(m_window), INT_MAX), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, round = m_round, call = ++m_call](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                replied(round, call, w->reply());
            });
}

void InhibitPath::replied(quint64 round, quint64 call, const QDBusMessage& reply)
{
    const QVariant grant = reply.type() == QDBusMessage::ReplyMessage ? grantOf(reply) : QVariant();
    const bool current = round == m_round;
    if (current && call == m_call && m_asking) {
        m_asking = false;
        m_answerTime.stop();
    }
    if (!grant.isValid()) {
        qCDebug(lcInhibit) << m_service << "refused:" << reply.errorName() << reply.errorMessage();
        return;
    }
    if (!current || !m_wanted || m_grant.isValid()) {
        // Switched off, the owner changed, or an earlier request's answer came
        // late, while the answer was on its way.
        m_bus.send(releaseCall(reply.service(), grant));
        return;
    }
    m_grant = grant;
    m_owner = reply.service();
    stopRetrying();
    qCDebug(lcInhibit) << m_service << "holds the inhibit";
}

void InhibitPath::unanswered()
{
    if (!m_asking) {
        return;
    }
    // The request stays open; a new one goes out later while still wanted.
    m_asking = false;
    m_retryMs = m_retryMs == 0 ? FirstRetryMs : std::min(2 * m_retryMs, LongestRetryMs);
    qCDebug(lcInhibit) << m_service << "does not answer: asking again in" << m_retryMs << "ms";
    m_retry.start(m_retryMs);
}

void InhibitPath::stopRetrying()
{
    m_answerTime.stop();
    m_retry.stop();
    m_retryMs = 0;
}

} // namespace platform
