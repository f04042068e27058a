#include "platform/desktop/WindowFront.h"

#include "platform/x11/X11ActiveWindow.h"

#include <QGuiApplication>
#include <QWindow>

namespace platform {

void bringToFront(QWindow& window)
{
    if (window.windowStates() & Qt::WindowMinimized) {
        window.showNormal();
    }
    window.raise();
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        !x11::requestActivation(window)) {
        window.requestActivate();
    }
}

} // namespace platform
