#include "platform/x11/X11KeyboardLayout.h"

#include "platform/Backends.h"
#include "platform/x11/X11Log.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace platform {
namespace {

struct KeyboardDescFree
{
    void operator()(XkbDescPtr desc) const { XkbFreeKeyboard(desc, 0, True); }
};

class NoKeyboardLayout : public KeyboardLayout
{
public:
    std::uint32_t unshiftedKeysym(std::uint32_t) override { return 0; }
};

} // namespace

std::uint32_t X11KeyboardLayout::unshiftedKeysym(std::uint32_t nativeScanCode)
{
    if (nativeScanCode < 8 || nativeScanCode > 255) {
        return 0;
    }
    if (!m_display) {
        m_display = x11::openDisplay();
        if (!m_display) {
            return 0;
        }
    }
    Display* display = m_display.get();
    x11::discardEvents(display);

    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return 0;
    }
    const std::unique_ptr<XkbDescRec, KeyboardDescFree> desc(
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd));
    const auto keycode = static_cast<KeyCode>(nativeScanCode);
    if (!desc || keycode < desc->min_key_code || keycode > desc->max_key_code) {
        return 0;
    }
    const int groups = XkbKeyNumGroups(desc.get(), keycode);
    if (groups <= 0) {
        return 0;
    }
    // A group beyond the key's own wraps round, as the server does by default.
    const int group = state.group % groups;
    if (XkbKeyGroupWidth(desc.get(), keycode, group) < 1) {
        return 0;
    }
    const KeySym keysym = XkbKeySymEntry(desc.get(), keycode, 0, group);
    qCDebug(lcX11Keys) << "keycode" << nativeScanCode << "unshifted keysym" << Qt::hex << keysym;
    return static_cast<std::uint32_t>(keysym);
}

std::unique_ptr<KeyboardLayout> createKeyboardLayout()
{
    // Only on X are the native scan codes of Qt's key events X keycodes.
    if (onX11()) {
        return std::make_unique<X11KeyboardLayout>();
    }
    return std::make_unique<NoKeyboardLayout>();
}

} // namespace platform
