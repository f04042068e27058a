#include "skin/AppModul.h"

#include "app/AppState.h"
#include "clock/DevicePictures.h"
#include "clock/frmClock.h"
#include "skin/DoubledPictures.h"
#include "skin/PictureLoader.h"
#include "skin/SkinFiles.h"
#include "skin/SkinReader.h"

namespace {

// Each of these is one step: a value that cannot be applied is skipped and the
// element keeps what it had. Negative sizes are refused; zero is applied.
void setTop(QWidget& w, SkinNumber value)
{
    if (const auto px = toPixels(value)) {
        w.move(w.x(), *px);
    }
}

void setLeft(QWidget& w, SkinNumber value)
{
    if (const auto px = toPixels(value)) {
        w.move(*px, w.y());
    }
}

void setWidth(QWidget& w, SkinNumber value)
{
    if (const auto px = toPixels(value); px && *px >= 0) {
        w.resize(*px, w.height());
    }
}

void setHeight(QWidget& w, SkinNumber value)
{
    if (const auto px = toPixels(value); px && *px >= 0) {
        w.resize(w.width(), *px);
    }
}

void place(QWidget& w, const SkinRect& r)
{
    setTop(w, r.top);
    setLeft(w, r.left);
    setWidth(w, r.width);
    setHeight(w, r.height);
}

} // namespace

void LoadSkin(frmClock& clock, AppState& state, const QString& path)
{
    state.SkinFilePath = skinFilePath(path, QStringLiteral("SkinFile.ini"));
    const SkinDescription skin = readSkinDescription(state.SkinFilePath, state.AppTitle);

    // One budget for all pictures of the skin, the face first; companions at
    // twice the size come after them, so they never crowd out a picture. A
    // picture that is missing or cannot be read leaves the one shown, with
    // its companion; a picture read brings its own companion, or none.
    PictureBudget budget;
    const QString back = QStringLiteral("back.bmp");
    const QImage face = loadPicture(skinFilePath(path, back), &budget);
    std::array<QImage, 6> strips;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        strips[i] = loadPicture(skinFilePath(path, skin.digitFile[i]), &budget);
    }
    if (!face.isNull()) {
        clock.At2x.back = loadDoubled(skinFilePath(path, doubledName(back)), face, &budget);
        clock.picBack->setPicture(face);
    }
    for (std::size_t i = 0; i < strips.size(); ++i) {
        if (!strips[i].isNull()) {
            clock.At2x.strips[i] =
                loadDoubled(skinFilePath(path, doubledName(skin.digitFile[i])), strips[i], &budget);
            clock.Picture1[i] = strips[i];
        }
    }

    // The window's own coordinates are face pixels already, so the second
    // standby area needs no scale of its own.
    setWidth(*clock.picBack, skin.width);
    setHeight(*clock.picBack, skin.height);
    for (std::size_t i = 0; i < clock.picTube.size(); ++i) {
        place(*clock.picTube[i], skin.digit[i]);
    }
    place(*clock.lblPower, skin.powerSwitch);
    place(*clock.lblStdby[0], skin.standBy);
    clock.lblStdby[1]->setGeometry(clock.lblStdby[0]->geometry());
    place(*clock.lblAlarm, skin.alarm);

    state.LastSeconds = QStringLiteral("99");
    state.LastMinutes = QStringLiteral("99");
    state.LastHours = QStringLiteral("99");
}
