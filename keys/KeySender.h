#pragma once

#include <cstdint>

namespace platform {
class KeyInjector;
}

// Presses and releases the key with this virtual-key code as one piece of
// synthetic input. A code outside 0..255 does not fit the 8 bits a key code
// has and sends nothing. True when the platform took the key.
bool sendKeyStroke(platform::KeyInjector& keys, std::int16_t keyCode);
