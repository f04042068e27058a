#pragma once

#include <QByteArrayView>

namespace platform {

// The window type a window manager is shown (_NET_WM_WINDOW_TYPE_*).
enum class DesktopWindowType
{
    Normal,
    Dock,
    Desktop,
    Splash,
};

// How a window is kept on the desktop under one window manager: below the
// other windows, above the desktop's own window, on every workspace (desktop
// 0xFFFFFFFF and the sticky state), out of the taskbar, the pager and the
// window switcher, and still shown while the desktop is shown.
struct DesktopHints
{
    DesktopWindowType type = DesktopWindowType::Normal;
    // _NET_WM_STATE_BELOW. Skip-taskbar, skip-pager and sticky are always set.
    bool below = true;
    // The type shares a layer with the desktop's own window, which a click
    // raises over it: the window raises itself back whenever that happens.
    bool raiseOverDesktops = false;
};

// Window managers keep different types through "show desktop": openbox only
// desktop, dock and splash windows, mutter and muffin desktop and dock windows
// (a dock in the below state lies under normal ones), xfwm4 skip-taskbar
// windows, and KWin raises desktop windows over everything else. By the name
// in _NET_SUPPORTING_WM_CHECK's _NET_WM_NAME; the plain below state for one
// not known.
DesktopHints desktopHintsFor(QByteArrayView windowManager);

} // namespace platform
