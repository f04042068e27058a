#include "platform/x11/X11KeyInjector.h"

#include "platform/keys/VirtualKeyTable.h"
#include "platform/x11/X11Log.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <memory>

namespace platform {
namespace {

struct XFreeDeleter
{
    void operator()(KeySym* data) const { XFree(data); }
};

// The keycode that carries the keysym, read from the server each time so a
// layout switched meanwhile is seen. Keys that give the keysym unshifted come
// first. 0 when the keymap lacks it: the global keymap is never changed.
KeyCode keycodeForKeysym(Display* display, KeySym keysym)
{
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    if (minKeycode < 8 || maxKeycode > 255 || maxKeycode < minKeycode) {
        return 0;
    }
    const int count = maxKeycode - minKeycode + 1;
    int perKeycode = 0;
    const std::unique_ptr<KeySym, XFreeDeleter> map(
        XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode), count, &perKeycode));
    if (!map || perKeycode < 1) {
        return 0;
    }
    for (int column = 0; column < perKeycode; ++column) {
        for (int index = 0; index < count; ++index) {
            if (map.get()[index * perKeycode + column] == keysym) {
                return static_cast<KeyCode>(minKeycode + index);
            }
        }
    }
    return 0;
}

} // namespace

bool X11KeyInjector::connect()
{
    if (m_display) {
        return true;
    }
    x11::DisplayPtr display = x11::openDisplay();
    if (!display) {
        qCDebug(lcX11Keys) << "no X display";
        return false;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        qCWarning(lcX11Keys) << "the X server has no XTEST extension";
        return false;
    }
    m_display = std::move(display);
    return true;
}

bool X11KeyInjector::sendKeyStroke(std::uint8_t virtualKey)
{
    if (!connect()) {
        return false;
    }
    Display* display = m_display.get();
    x11::discardEvents(display);

    KeyCode keycode = 0;
    for (const std::uint32_t keysym : keysymsForVirtualKey(virtualKey)) {
        keycode = keycodeForKeysym(display, keysym);
        if (keycode != 0) {
            break;
        }
    }
    if (keycode == 0) {
        qCDebug(lcX11Keys) << "no key for virtual-key code" << virtualKey;
        return false;
    }

    // Both requests leave in one flush, so no other input falls between them.
    x11::ErrorTrap trap;
    const bool pressed = XTestFakeKeyEvent(display, keycode, True, CurrentTime) != 0;
    const bool released = XTestFakeKeyEvent(display, keycode, False, CurrentTime) != 0;
    const bool accepted = trap.sync(display);
    qCDebug(lcX11Keys) << "virtual-key code" << virtualKey << "as keycode" << keycode
                       << (accepted ? "sent" : "refused");
    return pressed && released && accepted;
}

bool X11KeyInjector::resetIdleTime()
{
    if (!connect()) {
        return false;
    }
    XResetScreenSaver(m_display.get());
    XFlush(m_display.get());
    return true;
}

bool X11KeyInjector::focusIsWithin(unsigned long window)
{
    if (!connect() || window == 0) {
        return true;
    }
    Display* display = m_display.get();
    x11::ErrorTrap trap;
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    // The focus may rest on a child of the window (or be None, PointerRoot).
    for (int depth = 0; focus != None && focus != PointerRoot && depth < 64; ++depth) {
        if (focus == window) {
            return trap.sync(display);
        }
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, focus, &root, &parent, &children, &count)) {
            break;
        }
        if (children) {
            XFree(children);
        }
        if (parent == root) {
            break;
        }
        focus = parent;
    }
    trap.sync(display);
    return false;
}

} // namespace platform
