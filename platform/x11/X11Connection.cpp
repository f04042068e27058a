#include "platform/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace platform::x11 {
namespace {

// Xlib's error handler is a plain function: the trap in force notes here
// that an error came.
bool g_trappedError = false;

int noteError(Display*, XErrorEvent*)
{
    g_trappedError = true;
    return 0;
}

} // namespace

void DisplayCloser::operator()(_XDisplay* display) const
{
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

DisplayPtr openDisplay()
{
    return DisplayPtr(XOpenDisplay(nullptr));
}

bool canConnect(const char* displayName)
{
    // Qt's X11 platform calls it too; it must come before any other Xlib
    // call, and this one comes first.
    XInitThreads();
    return DisplayPtr(XOpenDisplay(displayName)) != nullptr;
}

void discardEvents(_XDisplay* display)
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

ErrorTrap::ErrorTrap()
{
    g_trappedError = false;
    m_previous = reinterpret_cast<void (*)()>(XSetErrorHandler(noteError));
}

ErrorTrap::~ErrorTrap()
{
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(m_previous));
}

bool ErrorTrap::sync(_XDisplay* display)
{
    XSync(display, False);
    return !g_trappedError;
}

} // namespace platform::x11
