#include "core/Options.h"

#include "core/ClockCore.h"

#include <algorithm>

namespace {

void applyStandby(ClockCore& core, bool on)
{
    // Leaving standby redraws every tube at the next tick.
    if (!on) {
        core.redrawEverythingNextTick();
    }
    emit core.standbyApplied(on);
}

void applyOnTop(ClockCore& core, bool on)
{
    emit core.onTopApplied(on);
}

void applyOnDesktop(ClockCore& core, bool on)
{
    emit core.desktopModeApplied(on);
}

void applySaver(ClockCore& core, bool on)
{
    emit core.saverApplied(on);
}

void applyAlarm(ClockCore& core, bool /*on*/)
{
    // Either way the alarm starts afresh.
    core.rearmAlarm();
}

} // namespace

const std::array<OptionRow, 5> optionRows{{
    {Option::Standby, SettingKeys::StandBy, "mnuStdby", "StandBy", MenuGroup::Display, std::nullopt,
     applyStandby},
    {Option::OnTop, SettingKeys::OnTop, "mnuOnTop", "Immer im Vordergrund", MenuGroup::Display,
     Option::OnDesktop, applyOnTop},
    {Option::OnDesktop, SettingKeys::OnDesktop, "mnuOnDesktop", "Auf dem Desktop",
     MenuGroup::Display, Option::OnTop, applyOnDesktop},
    {Option::Saver, SettingKeys::Saver, "mnuSaver", "Saver unterdrücken", MenuGroup::Saver,
     std::nullopt, applySaver},
    {Option::Alarm, SettingKeys::Alarm, "mnuAlarm", "Alarm aktivieren", MenuGroup::Alarm,
     std::nullopt, applyAlarm},
}};

const OptionRow& optionRow(Option option)
{
    return *std::find_if(optionRows.begin(), optionRows.end(),
                         [option](const OptionRow& row) { return row.option == option; });
}
