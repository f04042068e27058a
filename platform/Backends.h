#pragma once

#include "platform/FrameExtents.h"
#include "platform/IdleInhibitor.h"
#include "platform/KeyInjector.h"
#include "platform/SoundOutput.h"

#include <memory>

namespace platform {

// The real backends for the running program.
std::unique_ptr<SoundOutput> makeSoundOutput();
std::unique_ptr<KeyInjector> makeKeyInjector();
std::unique_ptr<IdleInhibitor> makeIdleInhibitor();
// Null where the platform is not X11 (Qt then knows the frame itself).
std::unique_ptr<FrameExtents> makeFrameExtents();

// Makes Qt use its X11 platform unless the user chose one: window placement,
// shaping and synthetic keys need X11 (XWayland on a Wayland session).
void preferX11Platform();

} // namespace platform
