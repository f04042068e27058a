#pragma once

#include <QString>

namespace platform {

// Keeps the desktop from going idle (screen saver, blanking, locking) while
// held. Asynchronous: no call waits for the desktop, and where nothing serves
// the request nothing happens and nothing is reported.
class IdleInhibitor
{
public:
    virtual ~IdleInhibitor() = default;

    // `window` names the asking window the way desktop portals take it
    // ("x11:" and the X window id in hex), empty when there is none.
    virtual void setInhibited(bool on, const QString& window) = 0;
};

} // namespace platform
