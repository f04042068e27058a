#include "core/ExitSequence.h"

#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

QList<QPair<QString, QString>> exitKeys(const ClockCore& core, QPoint clockPosition)
{
    return {
        settingEntry(SettingKeys::StandBy, core.isOn(ClockCore::Standby)),
        settingEntry(SettingKeys::OnTop, core.isOn(ClockCore::OnTop)),
        settingEntry(SettingKeys::X, clockPosition.x()),
        settingEntry(SettingKeys::Y, clockPosition.y()),
        settingEntry(SettingKeys::Saver, core.isOn(ClockCore::Saver)),
        settingEntry(SettingKeys::Alarm, core.isOn(ClockCore::Alarm)),
        settingEntry(SettingKeys::ShowSaver, core.showSaver()),
        settingEntry(SettingKeys::Skin, core.skinName()),
    };
}

void SaveOnExit(const AppState& state, const ClockCore& core, QPoint clockPosition)
{
    WriteSettings(state, exitKeys(core, clockPosition));
}
