#include "clock/ClockWindow.h"
#include "controls/WindowOutline.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "skin/NamedSkin.h"
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

void ClockWindow::useDevicePixels()
{
    const qreal ratio = devicePixelRatioF();
    if (!(ratio > 1.0)) {
        return; // nothing changes by a single pixel
    }
    // The strips keep their own ratio; each draw brings a cell to the tube's.
    for (std::size_t k = 0; k < m_digitStrips.size(); ++k) {
        if (!m_doubled.strips[k].isNull()) {
            m_digitStrips[k] = toScreenFormat(m_doubled.strips[k]);
            m_digitStrips[k].setDevicePixelRatio(2.0);
        }
    }
    for (std::size_t i = 0; i < m_lampPictures.size(); ++i) {
        if (!m_doubled.lamps[i].isNull()) {
            m_lampPictures[i] =
                forRatio(m_lampPictures[i], withoutLampGround(m_doubled.lamps[i]), ratio);
        }
    }
    for (PictureBox* lamp : m_lamps) {
        lamp->setPicture(m_lampPictures[0]);
    }
    m_face->setPicture(
        toScreenFormat(faceForRatio(m_face->image(), m_doubled.back, ratio, qRgb(0, 0, 40))));
}

void ClockWindow::applySkin(const LoadedSkin& skin)
{
    m_core.redrawEverythingNextTick();
    if (!skin.face.isNull()) {
        m_doubled.back = skin.faceAt2x;
        m_face->setPicture(skin.face);
    }
    for (std::size_t i = 0; i < m_digitStrips.size(); ++i) {
        if (!skin.strips[i].isNull()) {
            m_doubled.strips[i] = skin.stripsAt2x[i];
            m_digitStrips[i] = skin.strips[i];
        }
    }
    // The window's own coordinates are face pixels already, so the second
    // standby area needs no scale of its own.
    setWidth(*m_face, skin.layout.width);
    setHeight(*m_face, skin.layout.height);
    for (std::size_t i = 0; i < m_tubes.size(); ++i) {
        place(*m_tubes[i], skin.layout.digit[i]);
    }
    place(*m_powerSwitch, skin.layout.powerSwitch);
    place(*m_standbySwitches[0], skin.layout.standBy);
    m_standbySwitches[1]->setGeometry(m_standbySwitches[0]->geometry());
    place(*m_alarmTestArea, skin.layout.alarm);
}

void ClockWindow::loadFace()
{
    const bool dense = devicePixelRatioF() > 1.0;
    if (!m_core.skinName().isEmpty()) {
        if (const std::optional<LoadedSkin> skin =
                LoadNamedSkin(m_state, m_core.skinName(), dense)) {
            applySkin(*skin);
        }
    }
    useBuiltinWhereMissing(dense);
    // The window takes the face area's size first (height, then width); the
    // shaping control then fits it to the face picture.
    resize(width(), m_face->height());
    resize(m_face->width(), height());
    for (QScrollBar* bar : m_digitHolders) {
        bar->hide();
    }
    // The strips are plain images here and never shown. Every picture is kept
    // in the screen's format, so a tick only copies pixels.
    for (QImage& strip : m_digitStrips) {
        strip = toScreenFormat(strip);
    }
    for (QImage& lamp : m_lampPictures) {
        lamp = withoutLampGround(lamp);
    }
    for (PictureBox* lamp : m_lamps) {
        lamp->setPicture(m_lampPictures[0]);
    }
    m_face->setPicture(toScreenFormat(m_face->image()));
    useDevicePixels();
    // Tubes start with cell 0 of their strip.
    showTubesOff();

    m_outline->setMaskColor(QColor(0, 0, 40));
    m_outline->setMaskPicture(m_face->image());
    // In a window a compositor draws, the cut-away pixels are transparent as
    // well: a Wayland window has no X shape to cut them.
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        m_face->setCutColour(qRgb(0, 0, 40));
    }
    // Lamps at their fixed places may lie outside the face (the built-in one
    // is narrower): there they would only cost repaints nobody sees.
    for (PictureBox* lamp : m_lamps) {
        lamp->setVisible(rect().intersects(lamp->geometry()));
    }
    // A face area smaller than the face picture leaves part of the window to
    // the window's own background.
    if (!m_face->geometry().contains(rect())) {
        setAttribute(Qt::WA_NoSystemBackground, false);
        setAutoFillBackground(true);
    }
}
