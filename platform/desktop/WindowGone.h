#pragma once

#include <functional>

class QWidget;

namespace platform {

// Calls `gone` (from the event loop, once) when another client destroys the
// native window of the top-level `window`, as `xdotool windowclose` does: Qt
// 6.4 notes the window's end and carries on without it. Nothing where there is
// no X server. Watches as long as `window` lives.
void whenDestroyedFromOutside(QWidget& window, std::function<void()> gone);

} // namespace platform
