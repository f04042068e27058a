#pragma once

#include "platform/keys/KeyboardLayout.h"

#include <map>

namespace platform {

// Test stand-in: a keyboard map given as keycode -> unshifted keysym.
class FixedKeyboardLayout : public KeyboardLayout
{
public:
    FixedKeyboardLayout() = default;
    explicit FixedKeyboardLayout(std::map<std::uint32_t, std::uint32_t> keys)
        : m_keys(std::move(keys))
    {}

    std::uint32_t unshiftedKeysym(std::uint32_t nativeScanCode) override;

private:
    std::map<std::uint32_t, std::uint32_t> m_keys;
};

} // namespace platform
