#include "core/Paths.h"

#include <QFileInfo>

QString& ensureTrailingSlash(QString& path)
{
    if (!path.endsWith(u'/')) {
        path.append(u'/');
    }
    return path;
}

QString exeNameOf(const QString& programFile)
{
    const QString name = QFileInfo(programFile).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}
