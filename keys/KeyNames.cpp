#include "keys/KeyNames.h"

#include <array>

namespace {

struct NamedKey
{
    std::int16_t code;
    const char* text;
    const char* longName;
};

// Keys with a name of their own (UTF-8).
constexpr std::array kNamedKeys{
    NamedKey{8, "BS", "Backspace"},        NamedKey{9, "TAB", "Tabulator"},
    NamedKey{13, "Return", "ENTER"},       NamedKey{16, "SHIFT", "Umschalt"},
    NamedKey{17, "CTRL", "Steuerung"},     NamedKey{19, "Pause", "Unterbrechung"},
    NamedKey{27, "ESC", "Escape"},         NamedKey{32, "SPACE", "Leertaste"},
    NamedKey{33, "PgUp", "Bild Hoch"},     NamedKey{34, "PgDn", "Bild Runter"},
    NamedKey{35, "End", "Ende"},           NamedKey{36, "Home", "Position 1"},
    NamedKey{37, "Left", "Pfeil Links"},   NamedKey{38, "Up", "Pfeil Hoch"},
    NamedKey{39, "Right", "Pfeil Rechts"}, NamedKey{40, "Down", "Pfeil Runter"},
    NamedKey{45, "Ins", "Einfügen"},       NamedKey{46, "Del", "Entfernen"},
    NamedKey{93, "Menu", "Menü-Taste"},    NamedKey{144, "NUM", "Num Lock"},
    NamedKey{145, "Scroll", "Rollen"},
};

constexpr std::int16_t AltKey = 18;
constexpr std::int16_t AltOnly = 4;

} // namespace

QString windowsLogoText()
{
    return QString(QChar(0xff));
}

KeyDescription describeKey(std::int16_t KeyCode, std::int16_t Shift)
{
    KeyDescription d;
    for (const NamedKey& key : kNamedKeys) {
        if (key.code == KeyCode) {
            d.text = QString::fromUtf8(key.text);
            d.longName = QString::fromUtf8(key.longName);
        }
    }
    switch (KeyCode) {
    case 9:
        d.consumed = true;
        d.selectText = true;
        break;
    case 46:
        d.consumed = true;
        break;
    case AltKey:
        // AltGr arrives as Alt together with Ctrl.
        d.consumed = true;
        if (Shift == AltOnly) {
            d.text = QStringLiteral("ALT");
            d.longName = QStringLiteral("Alternativ");
        } else {
            d.text = QStringLiteral("Alt Gr");
            d.longName = QStringLiteral("Alt Gr");
        }
        break;
    case 91:
    case 92:
        d.text = windowsLogoText();
        d.longName =
            KeyCode == 91 ? QStringLiteral("Win-Taste Links") : QStringLiteral("Win-Taste Rechts");
        d.windowsLogo = true;
        break;
    default:
        break;
    }
    // The keypad's digits and operators show the character they type; 108,
    // the separator, is not one of them.
    if ((KeyCode >= 96 && KeyCode <= 107) || (KeyCode >= 109 && KeyCode <= 111)) {
        d.longName = QStringLiteral("Nummernblock");
    }
    if (KeyCode >= 112 && KeyCode <= 123) {
        d.text = QStringLiteral("F%1").arg(KeyCode - 111);
    }
    return d;
}
