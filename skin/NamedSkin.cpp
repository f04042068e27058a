#include "skin/NamedSkin.h"

#include "core/AppState.h"
#include "skin/SkinFiles.h"
#include "skin/SkinFolders.h"
#include "skin/SkinLog.h"

std::optional<LoadedSkin> LoadNamedSkin(const AppState& state, const QString& name,
                                        bool withDoubled)
{
    const QStringList folders = QStringList{state.skinsDir} + state.dataSkinsDirs;
    const QString dir = findSkinDir(folders, name);
    QString problem;
    std::optional<LoadedSkin> skin;
    if (dir.isEmpty()) {
        problem = QStringLiteral("no folder of that name in %1").arg(folders.join(u' '));
    } else {
        skin = LoadSkin(state, dir, withDoubled);
        QStringList unread;
        if (skin->face.isNull()) {
            unread.append(skinFilePath(dir, QStringLiteral("back.bmp")));
        }
        for (std::size_t i = 0; i < skin->strips.size(); ++i) {
            if (skin->strips[i].isNull()) {
                unread.append(skinFilePath(dir, skin->layout.digitFile[i]));
            }
        }
        problem = skinProblem(skin->filePath, unread);
    }
    if (problem.isEmpty()) {
        return skin;
    }
    qCWarning(lcSkin).noquote()
        << QStringLiteral("skin \"%1\" not used, built-in look instead: %2").arg(name, problem);
    return std::nullopt;
}
