#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <optional>
#include <string>
#include <utility>

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

_XDisplay* qtDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

DisplayPtr openDisplay()
{
    Display* qt = qtDisplay();
    return DisplayPtr(qt ? XOpenDisplay(DisplayString(qt)) : nullptr);
}

bool canConnect(const char* displayName)
{
    // The platform choice and the display check ask the same question within a
    // millisecond: the server is asked once.
    static std::optional<std::pair<std::string, bool>> answered;
    if (answered && answered->first == displayName) {
        return answered->second;
    }
    // The connection setup alone: Xlib would also query extensions, and its
    // first call would have to be XInitThreads, which Qt makes.
    xcb_connection_t* connection = xcb_connect(displayName, nullptr);
    const bool accepted = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    answered.emplace(displayName, accepted);
    return accepted;
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
