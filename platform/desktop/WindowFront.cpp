#include "platform/desktop/WindowFront.h"

#include "platform/Backends.h"
#include "platform/x11/X11ActiveWindow.h"

#include <QWindow>

namespace platform {

void bringToFront(QWindow& window)
{
    if (window.windowStates() & Qt::WindowMinimized) {
        window.showNormal();
    }
    window.raise();
    if (!onX11() || !x11::requestActivation(window)) {
        window.requestActivate();
    }
}

} // namespace platform
