#include "platform/Backends.h"

#include "platform/audio/PulseSoundOutput.h"
#include "platform/x11/X11KeyInjector.h"

#include <QtGlobal>

namespace platform {

std::unique_ptr<SoundOutput> makeSoundOutput()
{
    return std::make_unique<PulseSoundOutput>();
}

std::unique_ptr<KeyInjector> makeKeyInjector()
{
    return std::make_unique<X11KeyInjector>();
}

void preferX11Platform()
{
    // QT_QPA_PLATFORM is the desktop's own choice and wins when set.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

} // namespace platform
