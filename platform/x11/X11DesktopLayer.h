#pragma once

#include "platform/desktop/DesktopLayer.h"

#include <memory>

namespace platform::x11 {

// The desktop layer through the EWMH, with the hints desktopHintsFor picks
// for the running window manager; on Qt's own connection. Null where Qt does
// not run on X11.
std::unique_ptr<DesktopLayer> makeX11DesktopLayer();

} // namespace platform::x11
