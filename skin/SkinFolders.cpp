#include "skin/SkinFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

QStringList dataSkinsFolders(const QStringList& dataDirs)
{
    QStringList folders;
    for (const QString& dir : dataDirs) {
        if (!dir.isEmpty()) {
            folders.append(QDir::cleanPath(dir) + QStringLiteral("/glimmora/Skins/"));
        }
    }
    return folders;
}

QString findSkinDir(const QStringList& folders, const QString& name)
{
    if (name.isEmpty()) {
        return {};
    }
    for (QString folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        if (!folder.endsWith(u'/')) {
            folder.append(u'/');
        }
        if (QFileInfo(folder + name).isDir()) {
            return folder + name + u'/';
        }
    }
    return {};
}

QStringList installedSkins(const QStringList& folders)
{
    QStringList names;
    QSet<QString> seen;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        // Without QDir::Hidden, names beginning with "." are left out; symbolic
        // links to directories count as skins like the directories themselves.
        const QStringList entries =
            QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& entry : entries) {
            if (!seen.contains(entry)) {
                seen.insert(entry);
                names.append(entry);
            }
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

QString skinProblem(const QString& skinFile, const QStringList& unreadPictures)
{
    if (!QFileInfo(skinFile).isFile()) {
        return QStringLiteral("no skin file %1").arg(skinFile);
    }
    QStringList parts;
    for (const QString& picture : unreadPictures) {
        parts.append(QFileInfo::exists(picture) ? QStringLiteral("%1 cannot be read").arg(picture)
                                                : QStringLiteral("%1 is missing").arg(picture));
    }
    parts.removeDuplicates();
    return parts.join(QStringLiteral(", "));
}
