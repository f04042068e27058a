#pragma once

class QWindow;

namespace platform {

// Brings a top-level window to the front and gives it the focus as the user's
// own request would (a taskbar's), so window managers that keep programs from
// taking the focus let it; a minimised window is shown again first.
void bringToFront(QWindow& window);

} // namespace platform
