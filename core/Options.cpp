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

const std::array<OptionRow, 4> optionRows{{
    {Option::Standby, SettingKeys::StandBy, "mnuStdby", "StandBy", MenuGroup::Display,
     std::nullopt, applyStandby},
    {Option::OnTop, SettingKeys::OnTop, "mnuOnTop", "Immer im Vordergrund", MenuGroup::Display,
     std::nullopt, applyOnTop},
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
