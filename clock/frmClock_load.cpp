#include "app/AppState.h"
#include "clock/frmClock.h"
#include "controls/Transparent.h"
#include "skin/AppModul.h"

#include <QScrollBar>

void frmClock::Form_Load()
{
    if (!m_state.SkinName.isEmpty()) {
        LoadSkin(*this, m_state, m_state.SkinsDir + m_state.SkinName + QStringLiteral("/"));
    }
    // The window takes the face area's size first; the shaping control then
    // fits it to the face picture.
    resize(picBack->size());
    for (QScrollBar* bar : {HScroll1, HScroll2, HScroll3, HScroll4, HScroll5, HScroll6}) {
        bar->hide();
    }
    // The strips are plain images here and never shown.
    Transparent1->setMaskColor(qRgb(0, 0, 40));
    Transparent1->setMaskPicture(picBack->image());
    KeyPeriod = 180;
    KeyPeriod = static_cast<std::int16_t>(KeyPeriod * 10);
}
