#pragma once

#include "platform/IdleInhibitor.h"

#include <QList>

namespace platform {

// Test stand-in: remembers every request.
class DummyIdleInhibitor : public IdleInhibitor
{
public:
    struct Call
    {
        bool on;
        WId window;
    };

    void setInhibited(bool on, WId window) override { m_calls.append({on, window}); }

    const QList<Call>& calls() const { return m_calls; }

private:
    QList<Call> m_calls;
};

} // namespace platform
