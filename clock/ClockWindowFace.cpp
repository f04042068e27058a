#include "clock/ClockWindow.h"
#include "controls/WindowOutline.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "skin/NamedSkin.h"
#include "skin/PictureLoader.h"

namespace {

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
    m_skinLayout = skin.layout;
    layOut();
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

    m_outline->setMaskColor(QColor(0, 0, 40));
    // In a window a compositor draws, the cut-away pixels are transparent as
    // well: a Wayland window has no X shape to cut them.
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        m_face->setCutColour(qRgb(0, 0, 40));
    }
    m_faceLoaded = true;
    layOut();
    // Tubes start with cell 0 of their strip.
    showTubesOff();
}

FaceLayout ClockWindow::layout() const
{
    return faceLayout(m_skinLayout ? &*m_skinLayout : nullptr,
                      m_face->image().deviceIndependentSize().toSize(), m_zoom);
}

void ClockWindow::setZoom(qreal zoom)
{
    // Only the places scale so far: the pictures keep their own size.
    m_zoom = zoom;
    layOut();
}

void ClockWindow::layOut()
{
    const FaceLayout l = layout();
    m_face->setGeometry(l.face);
    for (std::size_t i = 0; i < m_tubes.size(); ++i) {
        m_tubes[i]->setGeometry(l.tubes[i]);
    }
    for (std::size_t i = 0; i < m_lamps.size(); ++i) {
        m_lamps[i]->setGeometry(l.lamps[i]);
        m_standbySwitches[i]->setGeometry(l.standbySwitches[i]);
    }
    m_powerSwitch->setGeometry(l.powerSwitch);
    m_alarmTestArea->setGeometry(l.alarmTest);
    // A fixed size (minimum = maximum in WM_NORMAL_HINTS): tiling window
    // managers float such a window at its own size instead of stretching it.
    setFixedSize(l.window);
    if (!m_faceLoaded) {
        return;
    }
    m_outline->setMaskPicture(m_face->image());
    // Lamps at their fixed places may lie outside the face (the built-in one
    // is narrower): there they would only cost repaints nobody sees.
    for (PictureBox* lamp : m_lamps) {
        lamp->setVisible(rect().intersects(lamp->geometry()));
    }
    // A face area smaller than the face picture leaves part of the window to
    // the window's own background.
    const bool uncovered = !l.face.contains(rect());
    setAttribute(Qt::WA_NoSystemBackground, !uncovered);
    setAutoFillBackground(uncovered);
}
