#pragma once

#include <qwindowdefs.h>

namespace platform {

// Keeps the desktop from going idle (screen saver, blanking, locking) while
// held. Asynchronous: no call waits for the desktop, and where nothing serves
// the request nothing happens and nothing is reported.
class IdleInhibitor
{
public:
    virtual ~IdleInhibitor() = default;

    // `window` is the asking window's X window id, 0 when it has none.
    virtual void setInhibited(bool on, WId window) = 0;
};

} // namespace platform
