#include "clock/ClockWindow.h"
#include "clock/ImageProcessing.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/NumericValue.h"

#include <QTimer>

namespace {

// Every caller draws a tube from its own strip with the tube's own size as the
// cell size; a size that does not fit 16 bits fails the call.
void drawDigit(ClockWindow& clock, int tube, std::int16_t digit)
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

void ClockWindow::setTicking(bool on)
{
    if (!on) {
        m_tickTimer->stop();
    } else if (!m_tickTimer->isActive()) {
        armTickTimer(m_state.services.nowMs());
    }
}

void ClockWindow::tickTimerFired()
{
    const qint64 nowMs = m_state.services.nowMs();
    if (m_tickSchedule.claimTickAt(nowMs)) {
        drawTick(nowMs);
    }
    armTickTimer(nowMs);
}

void ClockWindow::armTickTimer(qint64 tickedAtMs)
{
    // Lit lamps nobody sees need no tick to go dark.
    const bool lampsLit = m_lamps[0]->image().cacheKey() == m_lampPictures[1].cacheKey();
    const bool lampsShown = !m_lamps[0]->isHidden() || !m_lamps[1]->isHidden();
    const bool withinSecond = (lampsLit && lampsShown) || m_core.needsTicksWithinSecond();
    const qint64 next = TickSchedule::nextTickAfter(tickedAtMs, withinSecond);
    // Measured after the tick's own work, so it does not delay the next one.
    m_tickTimer->start(int(TickSchedule::waitUntil(next, m_state.services.nowMs())));
}

void ClockWindow::tick()
{
    drawTick(m_state.services.nowMs());
}

void ClockWindow::drawTick(qint64 nowMs)
{
    const TickPlan plan = m_core.tickAt(TickSchedule::secondOf(nowMs));
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

void ClockWindow::showTubesOff()
{
    for (int tube : {4, 5, 2, 3, 0, 1}) {
        drawDigit(*this, tube, 0);
    }
}
