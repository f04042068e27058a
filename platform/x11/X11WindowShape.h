#pragma once

#include "platform/desktop/WindowShape.h"

namespace platform::x11 {

// X SHAPE through Qt's own X connection (so it follows the window's creation
// in order): the mask goes to the server as a one-bit pixmap, which Xlib
// splits into requests the server accepts, for the bounding and the input
// shape; the compositor's shadow is turned off (see ShadowOptOut). Null when
// Qt has no Xlib display.
std::unique_ptr<WindowShape> makeX11WindowShape();

} // namespace platform::x11
