#include "skin/SkinLoader.h"

#include "core/AppState.h"
#include "core/DoubledPictures.h"
#include "skin/PictureLoader.h"
#include "skin/SkinFiles.h"

LoadedSkin LoadSkin(const AppState& state, const QString& path, bool withDoubled)
{
    LoadedSkin skin;
    skin.filePath = skinFilePath(path, QStringLiteral("SkinFile.ini"));
    skin.layout = readSkinDescription(skin.filePath, state.appTitle);
    // One budget for all pictures of the skin, the face first; companions at
    // twice the size come after them, so they never crowd out a picture. A
    // picture read brings its own companion, or none; a screen of single
    // pixels never shows one, so none is decoded.
    PictureBudget budget;
    const QString back = QStringLiteral("back.bmp");
    skin.face = loadPicture(skinFilePath(path, back), &budget);
    for (std::size_t i = 0; i < skin.strips.size(); ++i) {
        skin.strips[i] = loadPicture(skinFilePath(path, skin.layout.digitFile[i]), &budget);
    }
    if (withDoubled) {
        if (!skin.face.isNull()) {
            skin.faceAt2x = loadDoubled(skinFilePath(path, doubledName(back)), skin.face, &budget);
        }
        for (std::size_t i = 0; i < skin.strips.size(); ++i) {
            if (!skin.strips[i].isNull()) {
                skin.stripsAt2x[i] =
                    loadDoubled(skinFilePath(path, doubledName(skin.layout.digitFile[i])),
                                skin.strips[i], &budget);
            }
        }
    }
    return skin;
}
