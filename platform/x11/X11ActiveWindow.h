#pragma once

class QWindow;

namespace platform::x11 {

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW) in the
// name of the user (source indication 2, as a pager or taskbar asks), through
// Qt's own X connection. False where Qt has no X connection.
bool requestActivation(QWindow& window);

} // namespace platform::x11
