#include "app/AppState.h"
#include "clock/frmClock.h"
#include "controls/Transparent.h"
#include "skin/AppModul.h"
#include "skin/PictureLoader.h"

#include <QScrollBar>

namespace {

// The lamp pictures stand on a magenta ground that is not part of the lamp.
QImage withoutLampGround(const QImage& lamp)
{
    QImage out = lamp.convertToFormat(QImage::Format_ARGB32);
    bool keyed = false;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0x00FF00FFu) {
                line[x] = 0;
                keyed = true;
            }
        }
    }
    return keyed ? out.convertToFormat(QImage::Format_ARGB32_Premultiplied) : toScreenFormat(lamp);
}

} // namespace

void frmClock::useDevicePixels()
{
    const qreal ratio = devicePixelRatioF();
    if (!(ratio > 1.0)) {
        return; // nothing changes by a single pixel
    }
    // The strips keep their own ratio; each draw brings a cell to the tube's.
    for (std::size_t k = 0; k < Picture1.size(); ++k) {
        if (!At2x.strips[k].isNull()) {
            Picture1[k] = toScreenFormat(At2x.strips[k]);
            Picture1[k].setDevicePixelRatio(2.0);
        }
    }
    for (std::size_t i = 0; i < Picture2.size(); ++i) {
        if (!At2x.lamps[i].isNull()) {
            Picture2[i] = forRatio(Picture2[i], withoutLampGround(At2x.lamps[i]), ratio);
        }
    }
    for (PictureBox* lamp : picLED) {
        lamp->setPicture(Picture2[0]);
    }
    picBack->setPicture(
        toScreenFormat(faceForRatio(picBack->image(), At2x.back, ratio, qRgb(0, 0, 40))));
}

void frmClock::Form_Load()
{
    if (!m_state.SkinName.isEmpty()) {
        LoadSkin(*this, m_state, m_state.SkinsDir + m_state.SkinName + QStringLiteral("/"));
    }
    // The window takes the face area's size first (height, then width); the
    // shaping control then fits it to the face picture.
    resize(width(), picBack->height());
    resize(picBack->width(), height());
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3, HScroll4, HScroll5, HScroll6}) {
        bar->hide();
    }
    // The strips are plain images here and never shown. Every picture is kept
    // in the screen's format, so a tick only copies pixels.
    for (QImage& strip : Picture1) {
        strip = toScreenFormat(strip);
    }
    for (QImage& lamp : Picture2) {
        lamp = withoutLampGround(lamp);
    }
    for (PictureBox* lamp : picLED) {
        lamp->setPicture(Picture2[0]);
    }
    picBack->setPicture(toScreenFormat(picBack->image()));
    useDevicePixels();

    Transparent1->setMaskColor(QColor(0, 0, 40));
    Transparent1->setMaskPicture(picBack->image());
    // Lamps at their fixed places may lie outside the face (the built-in one
    // is narrower): there they would only cost repaints nobody sees.
    for (PictureBox* lamp : picLED) {
        lamp->setVisible(rect().intersects(lamp->geometry()));
    }
    // A face area smaller than the face picture leaves part of the window to
    // the window's own background.
    if (!picBack->geometry().contains(rect())) {
        setAttribute(Qt::WA_NoSystemBackground, false);
        setAutoFillBackground(true);
    }
    KeyPeriod = 180;
    KeyPeriod = static_cast<std::int16_t>(KeyPeriod * 10);
}
