#include "skin/SkinFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The entry of `dir` whose name equals `part` ignoring case; the first in name
// order when several do, so the choice does not depend on the file system.
QString caseVariant(const QString& dir, const QString& part)
{
    const QStringList entries = QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
            return entry;
        }
    }
    return {};
}

} // namespace

QString skinFilePath(const QString& skinDir, const QString& name)
{
    QString relative = name;
    relative.replace(u'\\', u'/');
    const QString exact = skinDir + relative;
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    // Walk the name part by part, mending each missing part by its case
    // variant; where none exists the rest stays as written (and fails to load).
    QString path = skinDir;
    const QStringList parts = relative.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool last = i + 1 == parts.size();
        QString next = path + part;
        if (!part.isEmpty() && part != u"." && part != u".." && !QFileInfo::exists(next)) {
            const QString variant = caseVariant(path, part);
            if (variant.isEmpty()) {
                return exact;
            }
            next = path + variant;
        }
        path = last ? next : next + u'/';
    }
    return path;
}
