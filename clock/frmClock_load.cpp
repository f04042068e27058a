#include "clock/frmClock.h"
#include "controls/Transparent.h"
#include "core/AppState.h"
#include "skin/AppModul.h"
#include "skin/PictureLoader.h"

#include <QScrollBar>

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

// The lamp pictures stand on a magenta ground that is not part of the lamp.
QImage withoutLampGround(const QImage& lamp)
{
    const QImage keyed = keyedOut(lamp, qRgb(255, 0, 255));
    return keyed.isNull() ? toScreenFormat(lamp) : keyed;
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

void frmClock::applySkin(const LoadedSkin& skin)
{
    if (!skin.face.isNull()) {
        At2x.back = skin.faceAt2x;
        picBack->setPicture(skin.face);
    }
    for (std::size_t i = 0; i < Picture1.size(); ++i) {
        if (!skin.strips[i].isNull()) {
            At2x.strips[i] = skin.stripsAt2x[i];
            Picture1[i] = skin.strips[i];
        }
    }
    // The window's own coordinates are face pixels already, so the second
    // standby area needs no scale of its own.
    setWidth(*picBack, skin.layout.width);
    setHeight(*picBack, skin.layout.height);
    for (std::size_t i = 0; i < picTube.size(); ++i) {
        place(*picTube[i], skin.layout.digit[i]);
    }
    place(*lblPower, skin.layout.powerSwitch);
    place(*lblStdby[0], skin.layout.standBy);
    lblStdby[1]->setGeometry(lblStdby[0]->geometry());
    place(*lblAlarm, skin.layout.alarm);
}

void frmClock::Form_Load()
{
    const bool dense = devicePixelRatioF() > 1.0;
    if (!m_state.SkinName.isEmpty()) {
        applySkin(
            LoadSkin(m_state, m_state.SkinsDir + m_state.SkinName + QStringLiteral("/"), dense));
    }
    useBuiltinWhereMissing(dense);
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
    // Tubes start with cell 0 of their strip.
    TubesOff();

    Transparent1->setMaskColor(QColor(0, 0, 40));
    Transparent1->setMaskPicture(picBack->image());
    // In a window a compositor draws, the cut-away pixels are transparent as
    // well: a Wayland window has no X shape to cut them.
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        picBack->setCutColour(qRgb(0, 0, 40));
    }
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
