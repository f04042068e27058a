#include "clock/ImageProcessing.h"
#include "clock/frmClock.h"
#include "core/AppState.h"
#include "core/NumericValue.h"

namespace {

// Every caller draws a tube from its own strip with the tube's own size as the
// cell size; a size that does not fit 16 bits fails the call.
void drawDigit(frmClock& clock, int tube, std::int16_t digit)
{
    PictureBox& target = *clock.tubes()[static_cast<std::size_t>(tube)];
    std::int16_t height = 0;
    std::int16_t width = 0;
    if (!toInt16(target.height(), height) || !toInt16(target.width(), width)) {
        return;
    }
    DrawTubeDigit(target, clock.digitStrip(static_cast<std::size_t>(tube)), digit, height, width);
}

// Gives a lamp the picture unless it shows exactly that one already, so a
// repeated dark tick repaints nothing.
void setLamp(PictureBox& lamp, const QImage& picture)
{
    if (lamp.image().cacheKey() != picture.cacheKey()) {
        lamp.setPicture(picture);
    }
}

} // namespace

void frmClock::Timer1_Timer()
{
    const TickPlan plan = m_state.core.tickAt(m_state.services.now());
    if (plan.secondsChanged) {
        drawDigit(*this, 4, plan.digits[4]);
        drawDigit(*this, 5, plan.digits[5]);
    }
    // The second lamp takes what the first now shows.
    setLamp(*m_lamps[0], m_lampPictures[plan.lampsLit() ? 1 : 0]);
    setLamp(*m_lamps[1], m_lamps[0]->image());
    if (plan.minutesChanged) {
        drawDigit(*this, 2, plan.digits[2]);
        drawDigit(*this, 3, plan.digits[3]);
    }
    if (plan.hoursChanged) {
        drawDigit(*this, 0, plan.digits[0]);
        drawDigit(*this, 1, plan.digits[1]);
    }
}

void frmClock::TubesOff()
{
    for (int tube : {4, 5, 2, 3, 0, 1}) {
        drawDigit(*this, tube, 0);
    }
}

void frmClock::HScroll_Change(int tube, int value)
{
    std::int16_t digit = 0;
    if (toInt16(value, digit)) {
        drawDigit(*this, tube, digit);
    }
}
