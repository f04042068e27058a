#include "core/SettingsWriter.h"

#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Options.h"
#include "core/Settings.h"

QList<SettingEntry> exitKeys(const ClockCore& core, QPoint clockPosition)
{
    QList<SettingEntry> keys;
    const auto addOptions = [&](bool display) {
        for (const OptionRow& row : optionRows) {
            if ((row.group == MenuGroup::Display) == display) {
                keys << settingEntry(row.key, core.isOn(row.option));
            }
        }
    };
    addOptions(true);
    keys << settingEntry(SettingKeys::X, clockPosition.x())
         << settingEntry(SettingKeys::Y, clockPosition.y());
    addOptions(false);
    keys << settingEntry(SettingKeys::ShowSaver, core.showSaver())
         << settingEntry(SettingKeys::Skin, core.skinName());
    return keys;
}

SettingsWriter::SettingsWriter(const AppState& state, ClockCore& core,
                               std::function<QPoint()> clockPosition)
    : m_state(state), m_core(core), m_clockPosition(std::move(clockPosition))
{
}

void SettingsWriter::followChanges()
{
    if (m_following) {
        return;
    }
    m_following = true;
    connect(&m_core, &ClockCore::optionChanged, this, &SettingsWriter::saveExitKeys);
    connect(&m_core, &ClockCore::skinNameChanged, this, [this](const QString& name) {
        writeSettings(m_state, {settingEntry(SettingKeys::Skin, name)});
    });
    connect(&m_core, &ClockCore::keyCodeChanged, this, [this](std::int16_t code) {
        writeSettings(m_state, {settingEntry(SettingKeys::SendKey, code)});
    });
}

void SettingsWriter::saveExitKeys()
{
    writeSettings(m_state, exitKeys(m_core, m_clockPosition()));
}
