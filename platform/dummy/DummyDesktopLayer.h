#pragma once

#include "platform/desktop/DesktopLayer.h"

#include <QList>

namespace platform {

// Test stand-in: remembers every request.
class DummyDesktopLayer : public DesktopLayer
{
public:
    explicit DummyDesktopLayer(bool available) : m_available(available) {}
    bool available() const override { return m_available; }
    void apply(QWindow& /*window*/, bool on) override { m_calls.append(on); }
    const QList<bool>& calls() const { return m_calls; }

private:
    bool m_available;
    QList<bool> m_calls;
};

} // namespace platform
