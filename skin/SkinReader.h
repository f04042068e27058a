#pragma once

#include <QString>
#include <array>
#include <optional>

// Reading a skin's description file: every key with its default, every number
// through the leading-number rule and held as a single-precision value.

// A number as the skin holds it. Empty where the value does not fit a single
// (the step that would apply it fails and the element keeps what it had).
using SkinNumber = std::optional<float>;

// A rectangle in the order the loader applies it: top, left, width, height.
struct SkinRect
{
    SkinNumber top;
    SkinNumber left;
    SkinNumber width;
    SkinNumber height;
};

struct SkinDescription
{
    SkinNumber width;  // "Width"
    SkinNumber height; // "Height"
    std::array<QString, 6> digitFile;
    std::array<SkinRect, 6> digit; // "Digit1_..." to "Digit6_..."
    SkinRect powerSwitch;          // "PowerSwitch_..."
    SkinRect standBy;              // "StandBy_..."
    SkinRect alarm;                // "Alarm_..."
};

// The strip file defaults of the six tubes; the two seconds tubes share one.
inline const std::array<QString, 6> DefaultDigitFiles{
    QStringLiteral("1.bmp"), QStringLiteral("2.bmp"), QStringLiteral("3.bmp"),
    QStringLiteral("4.bmp"), QStringLiteral("5.bmp"), QStringLiteral("5.bmp")};

// The numeric rule applied to a skin text, held as a single.
SkinNumber skinNumber(const QString& text);

// Reads all keys from `skinFile` in `section` (missing file: all defaults).
SkinDescription readSkinDescription(const QString& skinFile, const QString& section);

// A skin number as whole pixels, round half to even. Empty when the value is
// missing or outside the 16-bit coordinate range the window system keeps.
std::optional<int> toPixels(SkinNumber value);
