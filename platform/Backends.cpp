#include "platform/Backends.h"

#include "platform/dbus/DBusIdleInhibitor.h"
#include "platform/files/ProgramFile.h"
#include "platform/session/PlatformChoice.h"
#include "platform/sound/SoundModule.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11DesktopLayer.h"
#include "platform/x11/X11FrameExtents.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11WindowShape.h"

#include <QGuiApplication>

#include <QtGlobal>

namespace platform {

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

std::unique_ptr<SoundOutput> makeSoundOutput()
{
    // Most runs never play a sound: the module, its thread, its connection
    // and its buffers are loaded and made at the first play.
    // Through the folder held since the start: found where it was moved to.
    return makeDeferredSoundOutput(runningProgramFile().folder + QLatin1String(SoundModulePath));
}

std::unique_ptr<KeyInjector> makeKeyInjector()
{
    return std::make_unique<X11KeyInjector>();
}

std::unique_ptr<IdleInhibitor> makeIdleInhibitor()
{
    return std::make_unique<DBusIdleInhibitor>();
}

std::unique_ptr<FrameExtents> makeFrameExtents()
{
    if (!onX11()) {
        return nullptr;
    }
    return std::make_unique<x11::X11FrameExtents>();
}

namespace {

// A native Wayland window cannot be put below others (that takes a layer-shell
// surface).
class NoDesktopLayer final : public DesktopLayer
{
public:
    bool available() const override { return false; }
    void apply(QWindow& /*window*/, bool /*on*/) override {}
};

} // namespace

std::unique_ptr<DesktopLayer> makeDesktopLayer()
{
    if (onX11()) {
        if (auto x11 = x11::makeX11DesktopLayer()) {
            return x11;
        }
    }
    return std::make_unique<NoDesktopLayer>();
}

std::unique_ptr<WindowShape> makeWindowShape()
{
    if (onX11()) {
        if (auto x11 = x11::makeX11WindowShape()) {
            return x11;
        }
    }
    return makeRegionWindowShape();
}

void preferX11Platform()
{
    std::optional<QByteArray> asked;
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        asked = qgetenv("QT_QPA_PLATFORM");
    }
    const QByteArray display = qgetenv("DISPLAY");
    const bool x11 = !display.isEmpty() && x11::canConnect(display.constData());
    const bool wayland =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_SOCKET");
    if (const auto chosen = chooseQtPlatform(asked, x11, wayland)) {
        qputenv("QT_QPA_PLATFORM", *chosen);
    }
}

} // namespace platform
