#include "app/AppState.h"
#include "clock/frmClock.h"
#include "controls/Transparent.h"
#include "skin/AppModul.h"
#include "skin/PictureLoader.h"

#include <QScrollBar>

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
        lamp = toScreenFormat(lamp);
    }
    for (PictureBox* lamp : picLED) {
        lamp->setPicture(Picture2[0]);
    }
    picBack->setPicture(toScreenFormat(picBack->image()));

    Transparent1->setMaskColor(QColor(0, 0, 40));
    Transparent1->setMaskPicture(picBack->image());
    // A face area smaller than the face picture leaves part of the window to
    // the window's own background.
    if (!picBack->geometry().contains(rect())) {
        setAttribute(Qt::WA_NoSystemBackground, false);
        setAutoFillBackground(true);
    }
    KeyPeriod = 180;
    KeyPeriod = static_cast<std::int16_t>(KeyPeriod * 10);
}
