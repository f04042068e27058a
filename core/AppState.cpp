#include "core/AppState.h"

#include "core/Sound.h"

AppState::AppState(Services s) : services(std::move(s))
{
    // The alarm file is where the program is, known once start-up has run.
    QObject::connect(&core, &ClockCore::alarmSoundDue, &core, [this] { PlayAlarmSound(*this); });
}
