#include "keys/KeyEventMapping.h"

#include "platform/keys/VirtualKeyTable.h"

#include <array>

namespace {

struct QtKeyRow
{
    int qtKey;
    std::int16_t virtualKey;
};

// Qt keys other than letters, digits and F-keys. For the way back from a
// code to a Qt key the first row of the code counts.
constexpr std::array kQtKeys{
    QtKeyRow{Qt::Key_Cancel, 3},
    QtKeyRow{Qt::Key_Backspace, 8},
    QtKeyRow{Qt::Key_Tab, 9},
    QtKeyRow{Qt::Key_Backtab, 9},
    QtKeyRow{Qt::Key_Clear, 12},
    QtKeyRow{Qt::Key_Return, 13},
    QtKeyRow{Qt::Key_Enter, 13},
    QtKeyRow{Qt::Key_Shift, 16},
    QtKeyRow{Qt::Key_Control, 17},
    QtKeyRow{Qt::Key_Alt, 18},
    QtKeyRow{Qt::Key_AltGr, 18},
    QtKeyRow{Qt::Key_Pause, 19},
    QtKeyRow{Qt::Key_CapsLock, 20},
    QtKeyRow{Qt::Key_Hangul, 21},
    QtKeyRow{Qt::Key_Hangul_Hanja, 25},
    QtKeyRow{Qt::Key_Kanji, 25},
    QtKeyRow{Qt::Key_Escape, 27},
    QtKeyRow{Qt::Key_Henkan, 28},
    QtKeyRow{Qt::Key_Muhenkan, 29},
    QtKeyRow{Qt::Key_Space, 32},
    QtKeyRow{Qt::Key_PageUp, 33},
    QtKeyRow{Qt::Key_PageDown, 34},
    QtKeyRow{Qt::Key_End, 35},
    QtKeyRow{Qt::Key_Home, 36},
    QtKeyRow{Qt::Key_Left, 37},
    QtKeyRow{Qt::Key_Up, 38},
    QtKeyRow{Qt::Key_Right, 39},
    QtKeyRow{Qt::Key_Down, 40},
    QtKeyRow{Qt::Key_Select, 41},
    QtKeyRow{Qt::Key_Execute, 43},
    QtKeyRow{Qt::Key_Print, 44},
    QtKeyRow{Qt::Key_SysReq, 44},
    QtKeyRow{Qt::Key_Insert, 45},
    QtKeyRow{Qt::Key_Delete, 46},
    QtKeyRow{Qt::Key_Help, 47},
    QtKeyRow{Qt::Key_Meta, 91}, // what X's Super_L arrives as
    QtKeyRow{Qt::Key_Super_L, 91},
    QtKeyRow{Qt::Key_Super_R, 92},
    QtKeyRow{Qt::Key_Menu, 93},
    QtKeyRow{Qt::Key_Sleep, 95},
    QtKeyRow{Qt::Key_NumLock, 144},
    QtKeyRow{Qt::Key_ScrollLock, 145},
    QtKeyRow{Qt::Key_Back, 166},
    QtKeyRow{Qt::Key_Forward, 167},
    QtKeyRow{Qt::Key_Refresh, 168},
    QtKeyRow{Qt::Key_Stop, 169},
    QtKeyRow{Qt::Key_Search, 170},
    QtKeyRow{Qt::Key_Favorites, 171},
    QtKeyRow{Qt::Key_HomePage, 172},
    QtKeyRow{Qt::Key_VolumeMute, 173},
    QtKeyRow{Qt::Key_VolumeDown, 174},
    QtKeyRow{Qt::Key_VolumeUp, 175},
    QtKeyRow{Qt::Key_MediaNext, 176},
    QtKeyRow{Qt::Key_MediaPrevious, 177},
    QtKeyRow{Qt::Key_MediaStop, 178},
    QtKeyRow{Qt::Key_MediaPlay, 179},
    QtKeyRow{Qt::Key_MediaTogglePlayPause, 179},
    QtKeyRow{Qt::Key_MediaPause, 179},
    QtKeyRow{Qt::Key_LaunchMail, 180},
    QtKeyRow{Qt::Key_LaunchMedia, 181},
    QtKeyRow{Qt::Key_Launch0, 182},
    QtKeyRow{Qt::Key_Calculator, 183},
    QtKeyRow{Qt::Key_Udiaeresis, 186},
    QtKeyRow{Qt::Key_Semicolon, 186},
    QtKeyRow{Qt::Key_Plus, 187},
    QtKeyRow{Qt::Key_Equal, 187},
    QtKeyRow{Qt::Key_Comma, 188},
    QtKeyRow{Qt::Key_Minus, 189},
    QtKeyRow{Qt::Key_Period, 190},
    QtKeyRow{Qt::Key_NumberSign, 191},
    QtKeyRow{Qt::Key_Slash, 191},
    QtKeyRow{Qt::Key_Odiaeresis, 192},
    QtKeyRow{Qt::Key_QuoteLeft, 192},
    QtKeyRow{Qt::Key_ssharp, 219},
    QtKeyRow{Qt::Key_BracketLeft, 219},
    QtKeyRow{Qt::Key_Dead_Circumflex, 220},
    QtKeyRow{Qt::Key_Backslash, 220},
    QtKeyRow{Qt::Key_AsciiCircum, 220},
    QtKeyRow{Qt::Key_Dead_Acute, 221},
    QtKeyRow{Qt::Key_BracketRight, 221},
    QtKeyRow{Qt::Key_Adiaeresis, 222},
    QtKeyRow{Qt::Key_Apostrophe, 222},
    QtKeyRow{Qt::Key_Less, 226},
};

// Windows-1252 codes 0x80 to 0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> kAnsiHigh{
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178,
};

constexpr std::uint32_t KeysymLevel3Shift = 0xfe03; // ISO_Level3_Shift (AltGr)
constexpr std::uint32_t KeysymModeSwitch = 0xff7e;  // Mode_switch
constexpr std::uint32_t KeysymKp0 = 0xffb0;         // KP_0 .. KP_9 follow
constexpr std::int16_t BitShift = 1;
constexpr std::int16_t BitCtrl = 2;
constexpr std::int16_t BitAlt = 4;
constexpr std::int16_t KeyDelete = 46;

bool isAltGr(const NativeKey& key)
{
    return key.qtKey == Qt::Key_AltGr || key.keysym == KeysymLevel3Shift ||
           key.keysym == KeysymModeSwitch || key.unshiftedKeysym == KeysymLevel3Shift ||
           key.unshiftedKeysym == KeysymModeSwitch ||
           key.modifiers.testFlag(Qt::GroupSwitchModifier);
}

int virtualKeyForKeysyms(const NativeKey& key)
{
    int code = 0;
    if (key.unshiftedKeysym != 0 && !platform::isKeypadKeysym(key.unshiftedKeysym) &&
        !platform::isKeypadKeysym(key.keysym)) {
        code = platform::virtualKeyForKeysym(key.unshiftedKeysym);
    }
    if (code == 0 && key.keysym != 0) {
        code = platform::virtualKeyForKeysym(key.keysym);
    }
    return code;
}

// The text a key types on its own, as X reports it.
QString controlText(int virtualKey)
{
    switch (virtualKey) {
    case 8:
        return QStringLiteral("\b");
    case 9:
        return QStringLiteral("\t");
    case 13:
        return QStringLiteral("\r");
    case 27:
        return QStringLiteral("\x1b");
    case KeyDelete:
        return QStringLiteral("\x7f");
    default:
        return {};
    }
}

// Keypad operators by keysym, with their Qt key and character.
struct KeypadOperator
{
    std::uint32_t keysym;
    int qtKey;
    char16_t character;
};

constexpr std::array kKeypadOperators{
    KeypadOperator{0xffaa, Qt::Key_Asterisk, u'*'}, KeypadOperator{0xffab, Qt::Key_Plus, u'+'},
    KeypadOperator{0xffac, Qt::Key_Comma, u','},    KeypadOperator{0xffad, Qt::Key_Minus, u'-'},
    KeypadOperator{0xffae, Qt::Key_Period, u'.'},   KeypadOperator{0xffaf, Qt::Key_Slash, u'/'},
};

} // namespace

int virtualKeyForQtKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return 96 + (qtKey - Qt::Key_0);
        }
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break; // navigation keys of the keypad are the ordinary ones
        }
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    for (const QtKeyRow& row : kQtKeys) {
        if (row.qtKey == qtKey) {
            return row.virtualKey;
        }
    }
    return 0;
}

std::int16_t ansiCode(QChar character)
{
    const char16_t unicode = character.unicode();
    if (unicode < 0x80 || (unicode >= 0xa0 && unicode <= 0xff)) {
        return static_cast<std::int16_t>(unicode);
    }
    for (std::size_t index = 0; index < kAnsiHigh.size(); ++index) {
        if (kAnsiHigh[index] != 0 && kAnsiHigh[index] == unicode) {
            return static_cast<std::int16_t>(0x80 + index);
        }
    }
    return '?';
}

WindowsKey windowsKeyFor(const NativeKey& key)
{
    WindowsKey result;
    int code = virtualKeyForKeysyms(key);
    if (code == 0) {
        code = virtualKeyForQtKey(key.qtKey, key.modifiers);
    }
    result.KeyCode = static_cast<std::int16_t>(code);

    std::int16_t shift = 0;
    if (key.modifiers.testFlag(Qt::ShiftModifier) || code == 16) {
        shift |= BitShift;
    }
    if (key.modifiers.testFlag(Qt::ControlModifier) || code == 17) {
        shift |= BitCtrl;
    }
    if (key.modifiers.testFlag(Qt::AltModifier) || code == 18) {
        shift |= BitAlt;
    }
    if (isAltGr(key)) {
        shift |= BitCtrl | BitAlt;
    }
    result.Shift = shift;

    // Alt without Ctrl makes a menu key on Windows, not a character; Delete
    // types none there either.
    const bool menuKey = (shift & (BitCtrl | BitAlt)) == BitAlt;
    if (!key.text.isEmpty() && !menuKey) {
        const QChar character = key.text.front();
        const bool deleteCharacter = code == KeyDelete && character.unicode() == 0x7f;
        if (character.unicode() != 0 && !deleteCharacter) {
            result.KeyAscii = ansiCode(character);
        }
    }
    return result;
}

std::optional<NativeKey> nativeKeyFor(int virtualKey)
{
    const std::vector<std::uint32_t> keysyms = platform::keysymsForVirtualKey(virtualKey);
    if (keysyms.empty()) {
        return std::nullopt;
    }
    NativeKey key;
    key.keysym = keysyms.front();
    key.unshiftedKeysym = key.keysym;
    if (key.keysym >= 0x20 && key.keysym <= 0xff) {
        const QChar character(static_cast<char16_t>(key.keysym));
        key.text = QString(character);
        key.qtKey = character.toUpper().unicode();
        return key;
    }
    if (key.keysym >= KeysymKp0 && key.keysym <= KeysymKp0 + 9) {
        const auto digit = static_cast<int>(key.keysym - KeysymKp0);
        key.qtKey = Qt::Key_0 + digit;
        key.modifiers = Qt::KeypadModifier;
        key.text = QString(QChar(u'0' + digit));
        return key;
    }
    for (const KeypadOperator& op : kKeypadOperators) {
        if (op.keysym == key.keysym) {
            key.qtKey = op.qtKey;
            key.modifiers = Qt::KeypadModifier;
            key.text = QString(QChar(op.character));
            return key;
        }
    }
    if (virtualKey >= 112 && virtualKey <= 135) {
        key.qtKey = Qt::Key_F1 + (virtualKey - 112);
        return key;
    }
    key.qtKey = Qt::Key_unknown;
    for (const QtKeyRow& row : kQtKeys) {
        if (row.virtualKey == virtualKey) {
            key.qtKey = row.qtKey;
            break;
        }
    }
    key.text = controlText(virtualKey);
    return key;
}
