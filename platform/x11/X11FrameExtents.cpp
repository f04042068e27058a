#include "platform/x11/X11FrameExtents.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <poll.h>

namespace platform::x11 {
namespace {

Q_LOGGING_CATEGORY(lcFrames, "glimmora.screens", QtCriticalMsg)

// A window manager that answers at all does so within a few milliseconds;
// beyond this the dialog is placed now and corrected once shown.
constexpr std::chrono::milliseconds AnswerWait{300};

// The 32-bit values of a property, as Xlib hands them over (in longs).
std::vector<unsigned long> cardinals(Display* dpy, Window window, Atom property, Atom type)
{
    std::vector<unsigned long> values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &remaining, &data) == Success &&
        actualType == type && format == 32 && data != nullptr) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

std::optional<QMargins> readExtents(Display* dpy, Window window)
{
    const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    const auto v = cardinals(dpy, window, extents, XA_CARDINAL);
    if (v.size() != 4 || v[0] > 4096 || v[1] > 4096 || v[2] > 4096 || v[3] > 4096) {
        return std::nullopt;
    }
    // Stored as left, right, top, bottom.
    return QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
}

// Whether an EWMH window manager runs, and whether it offers the request.
struct Manager
{
    bool running = false;
    bool answersRequests = false;
};

Manager manager(Display* dpy)
{
    Manager m;
    const Window root = DefaultRootWindow(dpy);
    const auto check =
        cardinals(dpy, root, XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
    if (check.empty()) {
        return m;
    }
    // A check window left behind by a manager that ended does not count.
    ErrorTrap trap;
    const auto self = cardinals(dpy, Window(check[0]),
                                XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW);
    if (!trap.sync(dpy) || self.empty() || self[0] != check[0]) {
        return m;
    }
    m.running = true;
    const Atom request = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    for (unsigned long atom :
         cardinals(dpy, root, XInternAtom(dpy, "_NET_SUPPORTED", False), XA_ATOM)) {
        m.answersRequests = m.answersRequests || atom == request;
    }
    return m;
}

bool waitForEvent(Display* dpy, std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
        return false;
    }
    pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
    return poll(&fd, 1, int(left.count())) > 0;
}

} // namespace

X11FrameExtents::X11FrameExtents() : m_display(openDisplay()) {}

std::optional<QMargins> X11FrameExtents::inAdvance(unsigned long window)
{
    Display* dpy = m_display.get();
    if (dpy == nullptr) {
        return std::nullopt;
    }
    // Qt's own connection may still hold the window's creation.
    if (Display* qt = qtDisplay()) {
        XSync(qt, False);
    }
    const Manager m = manager(dpy);
    if (!m.running) {
        // Nobody draws a frame.
        return QMargins();
    }
    if (!m.answersRequests) {
        return std::nullopt;
    }
    const Atom extents = XInternAtom(dpy, "_NET_FRAME_EXTENTS", False);
    ErrorTrap trap;
    XSelectInput(dpy, window, PropertyChangeMask);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(dpy, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(dpy, DefaultRootWindow(dpy), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    if (!trap.sync(dpy)) {
        qCDebug(lcFrames) << "window" << window << "is not on the server yet";
        return std::nullopt;
    }
    std::optional<QMargins> answer = readExtents(dpy, window);
    const auto deadline = std::chrono::steady_clock::now() + AnswerWait;
    while (!answer && waitForEvent(dpy, deadline)) {
        while (XPending(dpy) > 0) {
            XEvent event;
            XNextEvent(dpy, &event);
            if (event.type == PropertyNotify && event.xproperty.atom == extents) {
                answer = readExtents(dpy, window);
            }
        }
    }
    XSelectInput(dpy, window, NoEventMask);
    trap.sync(dpy);
    discardEvents(dpy);
    qCDebug(lcFrames) << "frame told in advance:" << (answer ? "yes" : "no");
    return answer;
}

std::optional<QMargins> X11FrameExtents::current(unsigned long window)
{
    if (!m_display) {
        return std::nullopt;
    }
    ErrorTrap trap;
    const auto answer = readExtents(m_display.get(), window);
    return trap.sync(m_display.get()) ? answer : std::nullopt;
}

} // namespace platform::x11
