#include "platform/desktop/DesktopHints.h"

#include <QByteArray>

#include <array>

namespace platform {
namespace {

struct KnownManager
{
    const char* namePart; // found in the name, in any case
    DesktopHints hints;
};

// A splash keeps the below state under openbox (a dock would be put among
// normal windows); a dock keeps it under mutter (its bottom layer).
constexpr std::array<KnownManager, 5> Known{{
    {"openbox", {DesktopWindowType::Splash, true, false}},
    {"mutter", {DesktopWindowType::Dock, true, false}},
    {"gnome shell", {DesktopWindowType::Dock, true, false}},
    {"kwin", {DesktopWindowType::Desktop, true, true}},
    {"xfwm4", {DesktopWindowType::Normal, true, false}},
}};

} // namespace

DesktopHints desktopHintsFor(QByteArrayView windowManager)
{
    const QByteArray name = windowManager.toByteArray().toLower();
    for (const KnownManager& known : Known) {
        if (name.contains(known.namePart)) {
            return known.hints;
        }
    }
    return {};
}

} // namespace platform
