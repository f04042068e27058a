#include "platform/Backends.h"

#include "platform/PlatformChoice.h"
#include "platform/ProgramFile.h"
#include "platform/SoundModule.h"
#include "platform/dbus/DBusIdleInhibitor.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11FrameExtents.h"
#include "platform/x11/X11KeyInjector.h"

#include <QGuiApplication>

#include <QtGlobal>

namespace platform {
namespace {

// Most runs never play a sound: the sound module, its thread, its connection
// and its buffers are loaded and made at the first play, not at start-up.
class OnFirstUse final : public SoundOutput
{
public:
    void play(const QString& path) override
    {
        if (!m_tried) {
            m_tried = true;
            const QString program = runningProgramFile().path;
            m_real = loadSoundModule(program.left(program.lastIndexOf(u'/') + 1) +
                                     QLatin1String(SoundModulePath));
        }
        if (m_real) {
            m_real->play(path);
        }
    }
    void stop() override
    {
        if (m_real) {
            m_real->stop();
        }
    }

private:
    bool m_tried = false;
    std::unique_ptr<SoundOutput> m_real;
};

} // namespace

std::unique_ptr<SoundOutput> makeSoundOutput()
{
    return std::make_unique<OnFirstUse>();
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
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    return std::make_unique<x11::X11FrameExtents>();
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
