#pragma once

#include <cstdint>

namespace platform {

// Synthetic keyboard input: one press and one release of a key named by its
// Windows virtual-key code (0 to 255), entering the input stream together.
class KeyInjector
{
public:
    virtual ~KeyInjector() = default;

    // Returns false when nothing was sent (no mapping, no X server, ...).
    virtual bool sendKeyStroke(std::uint8_t virtualKey) = 0;

    // Resets the window system's idle time as input would, without any input
    // (on X11 the screen-saver counter that idle watchers read). Returns false
    // where there is no such counter.
    virtual bool resetIdleTime() { return false; }

    // Whether the window system's keyboard focus is in `window` (a native
    // window id) right now, so a key sent next reaches it. True where it
    // cannot be asked.
    virtual bool focusIsWithin(unsigned long window)
    {
        (void)window;
        return true;
    }
};

} // namespace platform
