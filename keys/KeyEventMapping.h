#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

// A key event as Qt delivers it, reduced to plain values.
struct NativeKey
{
    int qtKey = 0;
    Qt::KeyboardModifiers modifiers;
    // The X keysym of the event (QKeyEvent::nativeVirtualKey); 0 where the
    // window system gives none.
    std::uint32_t keysym = 0;
    // The keysym of the same key without modifiers, from the keyboard map;
    // 0 when unknown.
    std::uint32_t unshiftedKeysym = 0;
    QString text;
};

// The same key as a Windows program sees it in its key handlers.
struct WindowsKey
{
    std::int16_t KeyCode = 0; // virtual-key code, 0 when unknown
    std::int16_t Shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt, added
    // Character code of the typed character (Windows-1252), when there is one.
    std::optional<std::int16_t> KeyAscii;
};

// Names the key the way a Windows keyboard driver does: the key's unshifted
// keysym decides (Shift+1 is the key 1, AltGr+Q the key Q), except on the
// keypad, whose keys change with Num Lock; without keysyms the Qt key decides.
// AltGr comes out as Alt with Ctrl held.
WindowsKey windowsKeyFor(const NativeKey& key);

// The Windows-1252 code of a character, as a KeyPress handler receives it;
// '?' for characters that code page lacks.
std::int16_t ansiCode(QChar character);

// The key event the key with this code produces on its own (no modifiers,
// Num Lock on), for handing a key to a widget without the window system;
// nothing for codes without a mapping.
std::optional<NativeKey> nativeKeyFor(int virtualKey);

// The Qt key table alone, for window systems without keysyms.
int virtualKeyForQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
