#pragma once

#include "platform/IdleInhibitor.h"
#include "platform/desktop/DesktopLayer.h"
#include "platform/desktop/FrameExtents.h"
#include "platform/desktop/WindowShape.h"
#include "platform/keys/KeyInjector.h"
#include "platform/sound/SoundOutput.h"

#include <memory>

namespace platform {

// Whether Qt runs on its X11 platform (XWayland included): the one place
// that asks. Window ids, X SHAPE and the X keyboard map mean something only
// there.
bool onX11();

// The real backends for the running program.
std::unique_ptr<SoundOutput> makeSoundOutput();
std::unique_ptr<KeyInjector> makeKeyInjector();
std::unique_ptr<IdleInhibitor> makeIdleInhibitor();
// Null where the platform is not X11 (Qt then knows the frame itself).
std::unique_ptr<FrameExtents> makeFrameExtents();
// Through the window manager on X11 (XWayland too); elsewhere one that is not
// available.
std::unique_ptr<DesktopLayer> makeDesktopLayer();

// X SHAPE on Qt's X11 platform; elsewhere the window's QWindow mask.
std::unique_ptr<WindowShape> makeWindowShape();

// Makes Qt use its X11 platform wherever an X display answers, also where
// QT_QPA_PLATFORM names Wayland (XWayland then); natively Wayland only where
// there is no X. See chooseQtPlatform.
void preferX11Platform();

} // namespace platform
