#include "platform/dummy/DummyKeyInjector.h"

namespace platform {

bool DummyKeyInjector::sendKeyStroke(std::uint8_t virtualKey)
{
    m_sent.push_back(virtualKey);
    return m_accepts;
}

} // namespace platform
