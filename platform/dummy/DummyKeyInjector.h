#pragma once

#include "platform/keys/KeyInjector.h"

#include <vector>

namespace platform {

// Test stand-in: remembers every key it was asked to send.
class DummyKeyInjector : public KeyInjector
{
public:
    explicit DummyKeyInjector(bool accepts = true) : m_accepts(accepts) {}

    bool sendKeyStroke(std::uint8_t virtualKey) override;

    const std::vector<std::uint8_t>& sentKeys() const { return m_sent; }
    void setAccepts(bool accepts) { m_accepts = accepts; }
    // Where the window system's keyboard focus is, whatever Qt believes.
    bool focusIsWithin(unsigned long) override { return m_focusHere; }
    void setFocusHere(bool here) { m_focusHere = here; }
    void clear() { m_sent.clear(); }

private:
    bool m_accepts;
    bool m_focusHere = true;
    std::vector<std::uint8_t> m_sent;
};

} // namespace platform
