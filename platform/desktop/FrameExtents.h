#pragma once

#include <QMargins>
#include <optional>

namespace platform {

// The frame (title bar and borders) the window manager draws around a
// top-level window, as left, top, right and bottom widths in pixels.
class FrameExtents
{
public:
    virtual ~FrameExtents() = default;

    // Asks the window manager, before the window is first shown, which frame
    // it will get; nothing when it cannot tell in advance.
    virtual std::optional<QMargins> inAdvance(unsigned long window) = 0;

    // The frame as the window manager reports it now; nothing while unknown.
    virtual std::optional<QMargins> current(unsigned long window) = 0;
};

} // namespace platform
