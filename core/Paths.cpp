#include "core/Paths.h"

#include <QFileInfo>

QString& AddBackslash(QString& path)
{
    if (!path.endsWith(u'/')) {
        path.append(u'/');
    }
    return path;
}

QString titleCased(const QString& path)
{
    QString out = path;
    for (qsizetype i = 1; i < out.size(); ++i) {
        const QChar prev = out[i - 1];
        const bool wordStart =
            prev == u' ' || prev == u'-' || prev == u'(' || prev == u'_' || prev == u'/';
        out[i] = wordStart ? out[i].toUpper() : out[i].toLower();
    }
    if (!out.isEmpty()) {
        out[0] = out[0].toUpper();
    }
    return out;
}

QString GetLongPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists()) {
        QString resolved = info.canonicalFilePath();
        if (path.endsWith(u'/') && !resolved.endsWith(u'/')) {
            resolved.append(u'/');
        }
        return resolved;
    }
    return titleCased(path);
}

QString LastPathPart(const QString& path)
{
    QString copy = path;
    if (copy.endsWith(u'/')) {
        copy.chop(1);
    }
    const qsizetype slash = copy.lastIndexOf(u'/');
    return slash < 0 ? copy.trimmed() : copy.mid(slash + 1);
}

QString exeNameOf(const QString& programFile)
{
    const QString name = QFileInfo(programFile).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QString settingsFileFor(const QString& programDir, const QString& exeName)
{
    return programDir + exeName + QStringLiteral(".ini");
}
