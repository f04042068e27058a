#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// Read access to the keyboard map of the window system, for naming keys the
// way a Windows keyboard driver does: Shift+1 is still the key "1".
class KeyboardLayout
{
public:
    virtual ~KeyboardLayout() = default;

    // The keysym that the key with this native scan code (the X keycode)
    // gives without modifiers in the active group; 0 when unknown.
    virtual std::uint32_t unshiftedKeysym(std::uint32_t nativeScanCode) = 0;
};

// The layout of the window system the application runs on; one that knows
// nothing where that system offers no keyboard map.
std::unique_ptr<KeyboardLayout> createKeyboardLayout();

} // namespace platform
