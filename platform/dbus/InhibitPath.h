#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariant>
#include <qwindowdefs.h>

class QDBusMessage;

namespace platform {

// One service that can hold an idle inhibit for the clock. Holds one while
// wanted: asks when switched on and again when the service gets a new owner,
// releases when switched off, also an answer that arrives after that.
// Everything is asynchronous. A request unanswered after a few seconds is
// asked again, less often each time, while the inhibit is wanted; its answer
// is still awaited, so a late grant that is no longer wanted is released.
class InhibitPath : public QObject
{
    Q_OBJECT
public:
    InhibitPath(const QDBusConnection& bus, const QString& service, QObject* parent);

    const QString& service() const { return m_service; }
    bool held() const { return m_grant.isValid(); }

    void setWanted(bool on, WId window);
    // Whatever the old owner held ended with it (or stays with a replaced
    // owner, which is told to let go); a new one is asked afresh.
    void ownerChanged(bool owned);
    // Lets go of a held inhibit; the answer is not waited for.
    void release();

protected:
    virtual QDBusMessage inhibitCall(WId window) = 0;
    virtual QDBusMessage releaseCall(const QString& owner, const QVariant& grant) const = 0;
    // What the reply grants (a cookie, a request handle); null when refused.
    virtual QVariant grantOf(const QDBusMessage& reply) = 0;
    // The service withdrew a grant by itself.
    // Whether it was the one held.
    bool revoked(const QVariant& grant);

    QDBusConnection m_bus;

private:
    void ask();
    void replied(quint64 round, quint64 call, const QDBusMessage& reply);
    void unanswered();
    void stopRetrying();

    QString m_service;
    bool m_wanted = false;
    WId m_window = 0;
    bool m_asking = false;
    // Bumped when the owner changes: answers to older rounds are not kept.
    quint64 m_round = 0;
    // The request last sent: only its answer ends the wait.
    quint64 m_call = 0;
    QVariant m_grant;
    QString m_owner;
    QTimer m_answerTime;
    QTimer m_retry;
    int m_retryMs = 0;
};

} // namespace platform
