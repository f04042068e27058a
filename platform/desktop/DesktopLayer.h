#pragma once

class QWindow;

namespace platform {

// Puts a top-level window into the desktop's layer (see DesktopHints) or
// takes it back among the normal windows.
class DesktopLayer
{
public:
    virtual ~DesktopLayer() = default;

    // False where no window manager can be asked to do it (a native Wayland
    // window: only a layer-shell surface could lie below the others).
    virtual bool available() const = 0;

    // Takes effect at once on a shown window, which may be withdrawn and
    // mapped again for it; a hidden one shows it at its next show.
    virtual void apply(QWindow& window, bool on) = 0;
};

} // namespace platform
