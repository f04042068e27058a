#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// Windows virtual-key codes (the numbers the settings file stores and the key
// dialog shows) against X keysyms. Plain numbers, so that code outside the X
// backend needs no X header.

// The keysyms that a virtual-key code is sent as, best first (the injector
// takes the first one the keymap has). Empty for codes outside 0..255 and for
// codes without an X counterpart.
std::vector<std::uint32_t> keysymsForVirtualKey(int virtualKey);

// The virtual-key code a Windows keyboard driver would report for the key
// that produced this keysym; 0 when there is none.
int virtualKeyForKeysym(std::uint32_t keysym);

// Keysyms of the numeric keypad (KP_Space to KP_Equal). Their meaning depends
// on Num Lock, so the keysym delivered wins over the key's unshifted one.
bool isKeypadKeysym(std::uint32_t keysym);

} // namespace platform
