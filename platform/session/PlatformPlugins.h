#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The names of the Qt platform plugins Qt would find, sorted: those in
// `pluginPath` (-platformpluginpath, else QT_QPA_PLATFORM_PLUGIN_PATH) and
// in the "platforms" folder of each library path. Read from the plugins'
// metadata; none is loaded.
QStringList availablePlatforms(const QString& pluginPath);

} // namespace platform
