#pragma once

#include <QString>

namespace platform {

// Qt aborts in QGuiApplication's constructor (with a core dump) when its
// platform plugin cannot reach a display. This asks first, for the platform
// Qt will use: platformArg is the -platform value, or empty for
// QT_QPA_PLATFORM; displayArg the -display value, or empty for DISPLAY.
// pluginPathArg: the -platformpluginpath value. A platform no plugin has
// counts as unreachable. Returns what could not be reached, or an empty text
// when Qt can start.
QString unreachableDisplay(const QString& platformArg, const QString& displayArg,
                           const QString& pluginPathArg);

} // namespace platform
