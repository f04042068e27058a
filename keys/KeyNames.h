#pragma once

#include <QString>
#include <cstdint>

// What the key dialog shows for a key, by its virtual-key code and modifier
// bits (1 Shift, 2 Ctrl, 4 Alt).
struct KeyDescription
{
    // Short name for the capture box; null when the key has none and the
    // character it types is shown instead.
    QString text;
    // Long German name; empty for most keys.
    QString longName;
    // The key is used up here and does nothing in the capture box.
    bool consumed = false;
    // Select the first three characters of the capture box (Tab).
    bool selectText = false;
    // The capture box shows the Windows logo instead of a name.
    bool windowsLogo = false;
};

KeyDescription describeKey(std::int16_t KeyCode, std::int16_t Shift);

// The character 255 that the "Wingdings" font draws as the Windows logo.
QString windowsLogoText();
