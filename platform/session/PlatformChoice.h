#pragma once

#include <QByteArray>
#include <optional>

namespace platform {

// The Qt platform the clock asks for, given QT_QPA_PLATFORM (nullopt when
// unset) and which display servers answer. Window placement, the top-most
// band and synthetic keys need X11, so a reachable X display (XWayland on a
// Wayland desktop) wins over "wayland"; any other choice (xcb, offscreen,
// minimal, ...) stays. Without X it is Wayland where a Wayland display is
// named. nullopt leaves the variable as it is; Qt's -platform argument
// overrides it anyway.
std::optional<QByteArray> chooseQtPlatform(const std::optional<QByteArray>& asked, bool x11Answers,
                                           bool waylandNamed);

} // namespace platform
