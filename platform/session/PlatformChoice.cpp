#include "platform/session/PlatformChoice.h"

#include <QList>

namespace platform {

std::optional<QByteArray> chooseQtPlatform(const std::optional<QByteArray>& asked, bool x11Answers,
                                           bool waylandNamed)
{
    // Qt tries the entries of "a;b" in turn; "name:options" passes options.
    const QByteArray first = asked.value_or(QByteArray()).split(';').first().split(':').first();
    const bool unset = first.trimmed().isEmpty();
    if (!unset && !first.startsWith("wayland")) {
        return std::nullopt;
    }
    if (x11Answers) {
        return QByteArray("xcb");
    }
    if (unset && waylandNamed) {
        return QByteArray("wayland");
    }
    return std::nullopt;
}

} // namespace platform
