#pragma once

#include "platform/keys/KeyboardLayout.h"
#include "platform/x11/X11Connection.h"

namespace platform {

// Reads the X server's keyboard map on a connection of its own, afresh for
// every question, so a layout switched while the program runs is seen.
class X11KeyboardLayout : public KeyboardLayout
{
public:
    std::uint32_t unshiftedKeysym(std::uint32_t nativeScanCode) override;

private:
    x11::DisplayPtr m_display;
};

} // namespace platform
