#include "platform/keys/VirtualKeyTable.h"

#include <array>

namespace platform {
namespace {

enum class Use : std::uint8_t
{
    Both,     // sent for the code and read back as it
    SendOnly, // sent for the code; reading the keysym gives another code
    ReadOnly, // only read: another keysym is sent for the code
};

struct Row
{
    std::uint8_t virtualKey;
    std::uint32_t keysym;
    Use use;
};

// Letters and digits are handled by rule below; this is everything else. A
// code may have several rows: for sending they are tried in this order, so
// the German layout's keysym comes before the US one.
constexpr std::array kRows{
    Row{3, 0xff6b, Use::Both},           // Break (Ctrl+Pause)
    Row{8, 0xff08, Use::Both},           // BackSpace
    Row{9, 0xff09, Use::Both},           // Tab
    Row{9, 0xfe20, Use::ReadOnly},       // ISO_Left_Tab (Shift+Tab)
    Row{9, 0xff89, Use::ReadOnly},       // KP_Tab
    Row{12, 0xff9d, Use::Both},          // KP_Begin (keypad 5 without Num Lock)
    Row{12, 0xff0b, Use::Both},          // Clear
    Row{13, 0xff0d, Use::Both},          // Return
    Row{13, 0xff8d, Use::ReadOnly},      // KP_Enter
    Row{16, 0xffe1, Use::Both},          // Shift_L
    Row{16, 0xffe2, Use::ReadOnly},      // Shift_R
    Row{17, 0xffe3, Use::Both},          // Control_L
    Row{17, 0xffe4, Use::ReadOnly},      // Control_R
    Row{18, 0xffe9, Use::Both},          // Alt_L
    Row{18, 0xffea, Use::ReadOnly},      // Alt_R
    Row{18, 0xffe7, Use::ReadOnly},      // Meta_L (Shift+Alt)
    Row{18, 0xffe8, Use::ReadOnly},      // Meta_R
    Row{18, 0xfe03, Use::ReadOnly},      // ISO_Level3_Shift (AltGr)
    Row{18, 0xff7e, Use::ReadOnly},      // Mode_switch (AltGr on older maps)
    Row{19, 0xff13, Use::Both},          // Pause
    Row{20, 0xffe5, Use::Both},          // Caps_Lock
    Row{21, 0xff31, Use::Both},          // Hangul
    Row{25, 0xff34, Use::Both},          // Hangul_Hanja
    Row{25, 0xff21, Use::ReadOnly},      // Kanji
    Row{27, 0xff1b, Use::Both},          // Escape
    Row{28, 0xff23, Use::Both},          // Henkan
    Row{29, 0xff22, Use::Both},          // Muhenkan
    Row{32, 0x0020, Use::Both},          // space
    Row{32, 0xff80, Use::ReadOnly},      // KP_Space
    Row{33, 0xff55, Use::Both},          // Prior
    Row{33, 0xff9a, Use::ReadOnly},      // KP_Prior
    Row{34, 0xff56, Use::Both},          // Next
    Row{34, 0xff9b, Use::ReadOnly},      // KP_Next
    Row{35, 0xff57, Use::Both},          // End
    Row{35, 0xff9c, Use::ReadOnly},      // KP_End
    Row{36, 0xff50, Use::Both},          // Home
    Row{36, 0xff95, Use::ReadOnly},      // KP_Home
    Row{37, 0xff51, Use::Both},          // Left
    Row{37, 0xff96, Use::ReadOnly},      // KP_Left
    Row{38, 0xff52, Use::Both},          // Up
    Row{38, 0xff97, Use::ReadOnly},      // KP_Up
    Row{39, 0xff53, Use::Both},          // Right
    Row{39, 0xff98, Use::ReadOnly},      // KP_Right
    Row{40, 0xff54, Use::Both},          // Down
    Row{40, 0xff99, Use::ReadOnly},      // KP_Down
    Row{41, 0xff60, Use::Both},          // Select
    Row{43, 0xff62, Use::Both},          // Execute
    Row{44, 0xff61, Use::Both},          // Print (the Print Screen key)
    Row{44, 0xff15, Use::ReadOnly},      // Sys_Req (Alt+Print)
    Row{45, 0xff63, Use::Both},          // Insert
    Row{45, 0xff9e, Use::ReadOnly},      // KP_Insert
    Row{46, 0xffff, Use::Both},          // Delete
    Row{46, 0xff9f, Use::ReadOnly},      // KP_Delete
    Row{47, 0xff6a, Use::Both},          // Help
    Row{91, 0xffeb, Use::Both},          // Super_L
    Row{92, 0xffec, Use::Both},          // Super_R
    Row{93, 0xff67, Use::Both},          // Menu
    Row{95, 0x1008ff2f, Use::Both},      // XF86Sleep
    Row{96, 0xffb0, Use::Both},          // KP_0
    Row{97, 0xffb1, Use::Both},          // KP_1
    Row{98, 0xffb2, Use::Both},          // KP_2
    Row{99, 0xffb3, Use::Both},          // KP_3
    Row{100, 0xffb4, Use::Both},         // KP_4
    Row{101, 0xffb5, Use::Both},         // KP_5
    Row{102, 0xffb6, Use::Both},         // KP_6
    Row{103, 0xffb7, Use::Both},         // KP_7
    Row{104, 0xffb8, Use::Both},         // KP_8
    Row{105, 0xffb9, Use::Both},         // KP_9
    Row{106, 0xffaa, Use::Both},         // KP_Multiply
    Row{107, 0xffab, Use::Both},         // KP_Add
    Row{108, 0xffac, Use::SendOnly},     // KP_Separator
    Row{109, 0xffad, Use::Both},         // KP_Subtract
    Row{110, 0xffae, Use::Both},         // KP_Decimal
    Row{110, 0xffac, Use::ReadOnly},     // KP_Separator: the German keypad's decimal comma
    Row{111, 0xffaf, Use::Both},         // KP_Divide
    Row{144, 0xff7f, Use::Both},         // Num_Lock
    Row{145, 0xff14, Use::Both},         // Scroll_Lock
    Row{160, 0xffe1, Use::SendOnly},     // Shift_L
    Row{161, 0xffe2, Use::SendOnly},     // Shift_R
    Row{162, 0xffe3, Use::SendOnly},     // Control_L
    Row{163, 0xffe4, Use::SendOnly},     // Control_R
    Row{164, 0xffe9, Use::SendOnly},     // Alt_L
    Row{165, 0xffea, Use::SendOnly},     // Alt_R
    Row{165, 0xfe03, Use::SendOnly},     // ISO_Level3_Shift, where there is no Alt_R
    Row{166, 0x1008ff26, Use::Both},     // XF86Back
    Row{167, 0x1008ff27, Use::Both},     // XF86Forward
    Row{168, 0x1008ff29, Use::Both},     // XF86Refresh
    Row{169, 0x1008ff28, Use::Both},     // XF86Stop
    Row{170, 0x1008ff1b, Use::Both},     // XF86Search
    Row{171, 0x1008ff30, Use::Both},     // XF86Favorites
    Row{172, 0x1008ff18, Use::Both},     // XF86HomePage
    Row{173, 0x1008ff12, Use::Both},     // XF86AudioMute
    Row{174, 0x1008ff11, Use::Both},     // XF86AudioLowerVolume
    Row{175, 0x1008ff13, Use::Both},     // XF86AudioRaiseVolume
    Row{176, 0x1008ff17, Use::Both},     // XF86AudioNext
    Row{177, 0x1008ff16, Use::Both},     // XF86AudioPrev
    Row{178, 0x1008ff15, Use::Both},     // XF86AudioStop
    Row{179, 0x1008ff14, Use::Both},     // XF86AudioPlay
    Row{179, 0x1008ff31, Use::ReadOnly}, // XF86AudioPause
    Row{180, 0x1008ff19, Use::Both},     // XF86Mail
    Row{181, 0x1008ff32, Use::Both},     // XF86AudioMedia
    Row{182, 0x1008ff33, Use::Both},     // XF86MyComputer
    Row{183, 0x1008ff1d, Use::Both},     // XF86Calculator
    Row{186, 0x00fc, Use::Both},         // udiaeresis (German)
    Row{186, 0x003b, Use::Both},         // semicolon (US)
    Row{186, 0x00dc, Use::ReadOnly},     // Udiaeresis
    Row{187, 0x002b, Use::Both},         // plus (German)
    Row{187, 0x003d, Use::Both},         // equal (US)
    Row{188, 0x002c, Use::Both},         // comma
    Row{189, 0x002d, Use::Both},         // minus
    Row{190, 0x002e, Use::Both},         // period
    Row{191, 0x0023, Use::Both},         // numbersign (German)
    Row{191, 0x002f, Use::Both},         // slash (US)
    Row{192, 0x00f6, Use::Both},         // odiaeresis (German)
    Row{192, 0x0060, Use::Both},         // grave (US)
    Row{192, 0x00d6, Use::ReadOnly},     // Odiaeresis
    Row{219, 0x00df, Use::Both},         // ssharp (German)
    Row{219, 0x005b, Use::Both},         // bracketleft (US)
    Row{220, 0xfe52, Use::Both},         // dead_circumflex (German)
    Row{220, 0x005c, Use::Both},         // backslash (US)
    Row{220, 0x005e, Use::ReadOnly},     // asciicircum (German without dead keys)
    Row{221, 0xfe51, Use::Both},         // dead_acute (German)
    Row{221, 0x005d, Use::Both},         // bracketright (US)
    Row{221, 0x00b4, Use::ReadOnly},     // acute (German without dead keys)
    Row{222, 0x00e4, Use::Both},         // adiaeresis (German)
    Row{222, 0x0027, Use::Both},         // apostrophe (US)
    Row{222, 0x00c4, Use::ReadOnly},     // Adiaeresis
    Row{226, 0x003c, Use::Both},         // less (the extra key of 105-key boards)
};

constexpr int kFirstFunctionKey = 112; // F1 .. F24 are 112 .. 135
constexpr std::uint32_t kKeysymF1 = 0xffbe;
constexpr int kFunctionKeys = 24;

} // namespace

std::vector<std::uint32_t> keysymsForVirtualKey(int virtualKey)
{
    if (virtualKey < 0 || virtualKey > 255) {
        return {};
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return {static_cast<std::uint32_t>(virtualKey)};
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        // The key's unshifted keysym is the small letter.
        return {static_cast<std::uint32_t>(virtualKey - 'A' + 'a')};
    }
    if (virtualKey >= kFirstFunctionKey && virtualKey < kFirstFunctionKey + kFunctionKeys) {
        return {kKeysymF1 + static_cast<std::uint32_t>(virtualKey - kFirstFunctionKey)};
    }
    std::vector<std::uint32_t> keysyms;
    for (const Row& row : kRows) {
        if (row.virtualKey == virtualKey && row.use != Use::ReadOnly) {
            keysyms.push_back(row.keysym);
        }
    }
    return keysyms;
}

int virtualKeyForKeysym(std::uint32_t keysym)
{
    if (keysym >= '0' && keysym <= '9') {
        return static_cast<int>(keysym);
    }
    if (keysym >= 'A' && keysym <= 'Z') {
        return static_cast<int>(keysym);
    }
    if (keysym >= 'a' && keysym <= 'z') {
        return static_cast<int>(keysym - 'a' + 'A');
    }
    if (keysym >= kKeysymF1 && keysym < kKeysymF1 + kFunctionKeys) {
        return kFirstFunctionKey + static_cast<int>(keysym - kKeysymF1);
    }
    for (const Row& row : kRows) {
        if (row.keysym == keysym && row.use != Use::SendOnly) {
            return row.virtualKey;
        }
    }
    return 0;
}

bool isKeypadKeysym(std::uint32_t keysym)
{
    return keysym >= 0xff80 && keysym <= 0xffbd;
}

} // namespace platform
