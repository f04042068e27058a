#pragma once

#include "core/SettingsKeys.h"

#include <array>
#include <optional>

class ClockCore;

// The switches the user turns on and off from the menu.
enum class Option
{
    Standby,
    OnTop,
    OnDesktop,
    Saver,
    Alarm,
};

// Where an option's entry stands in the menu.
enum class MenuGroup
{
    Display, // below "Über...": how the clock shows itself
    Alarm,   // after "Alarmzeit einstellen"
    Saver,   // the saver entries, shown only where the settings ask for them
};

// Everything about one option, declared once: start-up, the menu, the
// settings writer and the exit loop over these rows.
struct OptionRow
{
    Option option;
    SettingRow<bool> key;
    const char* entryName; // the menu entry's object name
    const char* caption;   // UTF-8
    MenuGroup group;
    // Turning this option on turns that one off.
    std::optional<Option> excludes;
    // What the new state does; runs after the state has changed.
    void (*apply)(ClockCore& core, bool on);
};

// In menu order within each group; the settings file lists the display
// options before the clock's place and the others after it. Defined with
// the core's apply steps (core/ClockCore.cpp).
extern const std::array<OptionRow, 5> optionRows;

const OptionRow& optionRow(Option option);
