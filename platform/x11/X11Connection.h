#pragma once

#include <memory>

// Xlib's display type, declared here so that users of the X backends need no
// X header.
struct _XDisplay;

namespace platform::x11 {

struct DisplayCloser
{
    void operator()(_XDisplay* display) const;
};

// Qt's own connection; null where Qt does not run on X11.
_XDisplay* qtDisplay();

// An own connection to the X server Qt uses (-display wins over DISPLAY);
// null where Qt does not run on X11 or the server refuses.
using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;
DisplayPtr openDisplay();

// Whether the X server of that display name accepts a connection, asked
// before Qt starts (Qt aborts where it cannot connect).
bool canConnect(const char* displayName);

// Reads and drops whatever events the server sent to this connection, so the
// queue of a connection that never asks for events does not grow.
void discardEvents(_XDisplay* display);

// Collects the X errors of the requests made while it lives instead of letting
// Xlib's default handler end the program; `sync` waits for the server's
// answers and tells whether any request failed. One at a time, on the GUI
// thread.
class ErrorTrap
{
public:
    ErrorTrap();
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // True when every request so far succeeded.
    bool sync(_XDisplay* display);

private:
    // Xlib's previous handler, kept as a plain function pointer here.
    void (*m_previous)();
};

} // namespace platform::x11
