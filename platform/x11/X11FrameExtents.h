#pragma once

#include "platform/desktop/FrameExtents.h"
#include "platform/x11/X11Connection.h"

namespace platform::x11 {

// Frame extents through the EWMH: _NET_REQUEST_FRAME_EXTENTS before the first
// map where the window manager offers it, _NET_FRAME_EXTENTS afterwards. Uses
// an own connection, so Qt's event stream is not touched.
class X11FrameExtents final : public FrameExtents
{
public:
    X11FrameExtents();

    std::optional<QMargins> inAdvance(unsigned long window) override;
    std::optional<QMargins> current(unsigned long window) override;

private:
    DisplayPtr m_display;
};

} // namespace platform::x11
