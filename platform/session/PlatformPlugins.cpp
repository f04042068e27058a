#include "platform/session/PlatformPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

namespace platform {
namespace {

void addKeysIn(const QString& folder, QStringList& names)
{
    const QDir dir(folder);
    for (const QString& file : dir.entryList(QDir::Files)) {
        if (!QLibrary::isLibrary(file)) {
            continue;
        }
        const QJsonObject meta = QPluginLoader(dir.filePath(file)).metaData();
        if (meta.value(QLatin1String("IID")).toString().contains(QLatin1String("QPA"))) {
            const QJsonArray keys = meta.value(QLatin1String("MetaData"))
                                        .toObject()
                                        .value(QLatin1String("Keys"))
                                        .toArray();
            for (const QJsonValue& key : keys) {
                names << key.toString().toLower();
            }
        }
    }
}

} // namespace

QStringList availablePlatforms(const QString& pluginPath)
{
    QStringList names;
    QString direct = pluginPath;
    if (direct.isEmpty()) {
        direct = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    }
    if (!direct.isEmpty()) {
        addKeysIn(direct, names);
    }
    for (const QString& path : QCoreApplication::libraryPaths()) {
        addKeysIn(path + QLatin1String("/platforms"), names);
    }
    names.sort();
    names.removeDuplicates();
    return names;
}

} // namespace platform
