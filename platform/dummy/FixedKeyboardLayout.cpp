#include "platform/dummy/FixedKeyboardLayout.h"

namespace platform {

std::uint32_t FixedKeyboardLayout::unshiftedKeysym(std::uint32_t nativeScanCode)
{
    const auto it = m_keys.find(nativeScanCode);
    return it == m_keys.end() ? 0 : it->second;
}

} // namespace platform
