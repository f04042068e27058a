#include "core/ExitSequence.h"

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

QList<QPair<QString, QString>> exitKeys(const AppState& state, QPoint clockPosition)
{
    const ClockCore& core = state.core;
    return {
        modeEntry(Setting::StandBy, core.isOn(ClockCore::Standby)),
        modeEntry(Setting::OnTop, core.isOn(ClockCore::OnTop)),
        twipsEntry(Setting::X, clockPosition.x()),
        twipsEntry(Setting::Y, clockPosition.y()),
        modeEntry(Setting::Saver, core.isOn(ClockCore::Saver)),
        modeEntry(Setting::Alarm, core.isOn(ClockCore::Alarm)),
        settingEntry(Setting::ShowSaver, QString::number(state.core.showSaver())),
        settingEntry(Setting::Skin, state.skinName),
    };
}

void SaveOnExit(AppState& state, QPoint clockPosition)
{
    WriteSettings(state, exitKeys(state, clockPosition));
}
