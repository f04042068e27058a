#pragma once

#include "platform/keys/KeyInjector.h"
#include "platform/x11/X11Connection.h"

namespace platform {

// Presses and releases keys through the X Test extension on a connection of
// its own, opened on first use (and tried again while it cannot be opened).
// The key goes to whichever X window has the keyboard focus.
class X11KeyInjector : public KeyInjector
{
public:
    X11KeyInjector() = default;

    bool sendKeyStroke(std::uint8_t virtualKey) override;
    bool focusIsWithin(unsigned long window) override;
    bool resetIdleTime() override;

private:
    bool connect();

    x11::DisplayPtr m_display;
};

} // namespace platform
