#include "alarm/Sound.h"
#include "app/AppState.h"
#include "app/Forms.h"
#include "app/NumericValue.h"
#include "clock/ClockTick.h"
#include "clock/ImageProcessing.h"
#include "clock/frmClock.h"
#include "menu/frmMenu.h"

#include <QAction>

namespace {

// Every caller draws a tube from its own strip with the tube's own size as the
// cell size; a size that does not fit 16 bits fails the call.
void drawDigit(frmClock& clock, int tube, std::int16_t digit)
{
    PictureBox& target = *clock.picTube[static_cast<std::size_t>(tube)];
    std::int16_t height = 0;
    std::int16_t width = 0;
    if (!toInt16(target.height(), height) || !toInt16(target.width(), width)) {
        return;
    }
    DrawTubeDigit(target, clock.Picture1[static_cast<std::size_t>(tube)], digit, height, width);
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
    const QString now = localTimeText(m_state.services.now());
    const TickPlan plan =
        planTick(now, m_state.LastSeconds, m_state.LastMinutes, m_state.LastHours);
    m_state.CurrentMinutes = plan.minutes;
    m_state.CurrentHours = plan.hours;

    if (plan.secondsChanged) {
        drawDigit(*this, 4, plan.digits[4]);
        drawDigit(*this, 5, plan.digits[5]);
    }
    // Lit on the first tick of a second, dark on the others; the second lamp
    // takes what the first now shows.
    setLamp(*picLED[0], Picture2[plan.lampsLit() ? 1 : 0]);
    setLamp(*picLED[1], picLED[0]->image());
    if (plan.minutesChanged) {
        drawDigit(*this, 2, plan.digits[2]);
        drawDigit(*this, 3, plan.digits[3]);
    }
    if (plan.hoursChanged) {
        drawDigit(*this, 0, plan.digits[0]);
        drawDigit(*this, 1, plan.digits[1]);
    }
    m_state.LastSeconds = plan.seconds;
    m_state.LastMinutes = plan.minutes;
    m_state.LastHours = plan.hours;

    if (!Menu(m_state).mnuAlarm->isChecked()) {
        return;
    }
    const bool matches = alarmMatches(m_state.AlarmHour, m_state.AlarmMinute, m_state.CurrentHours,
                                      m_state.CurrentMinutes);
    const AlarmEntry entry = alarmEnter(matches, m_state.AlarmState);
    m_state.AlarmState = entry.state;
    if (entry.showNotice) {
        ShowMessageWindow(m_state);
    }
    // The notice may have been acknowledged while it opened.
    if (alarmPlays(matches, m_state.AlarmState)) {
        PlaySoundFile(m_state, m_state.ProgramDir + QStringLiteral("alarm.wav"));
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
