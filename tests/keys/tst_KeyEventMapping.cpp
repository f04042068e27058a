#include "keys/KeyEventMapping.h"
#include "keys/KeyNames.h"

#include <QTest>

namespace {
constexpr int None = -1; // no KeyPress

const Qt::KeyboardModifiers NoMods = Qt::NoModifier;
const Qt::KeyboardModifiers ShiftMod = Qt::ShiftModifier;
const Qt::KeyboardModifiers CtrlMod = Qt::ControlModifier;
const Qt::KeyboardModifiers AltMod = Qt::AltModifier;
const Qt::KeyboardModifiers AltGrMod = Qt::GroupSwitchModifier;
const Qt::KeyboardModifiers KeypadMod = Qt::KeypadModifier;
} // namespace

class TestKeyEventMapping : public QObject
{
    Q_OBJECT
private slots:
    // Qt key events as X delivers them, and what a Windows key handler sees.
    void windowsKey_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<uint>("unshifted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("keyAscii");

        QTest::newRow("a") << int(Qt::Key_A) << NoMods << 0x61u << 0x61u << "a" << 65 << 0 << 97;
        QTest::newRow("Shift+a") << int(Qt::Key_A) << ShiftMod << 0x41u << 0x61u << "A" << 65 << 1
                                 << 65;
        QTest::newRow("Shift key")
            << int(Qt::Key_Shift) << ShiftMod << 0xffe1u << 0xffe1u << "" << 16 << 1 << None;
        QTest::newRow("Shift key, flag not yet set")
            << int(Qt::Key_Shift) << NoMods << 0xffe1u << 0xffe1u << "" << 16 << 1 << None;
        QTest::newRow("right Shift")
            << int(Qt::Key_Shift) << ShiftMod << 0xffe2u << 0xffe2u << "" << 16 << 1 << None;
        QTest::newRow("Ctrl key") << int(Qt::Key_Control) << NoMods << 0xffe3u << 0xffe3u << ""
                                  << 17 << 2 << None;
        QTest::newRow("Alt key") << int(Qt::Key_Alt) << AltMod << 0xffe9u << 0xffe9u << "" << 18
                                 << 4 << None;
        QTest::newRow("Shift+Alt is Meta_L")
            << int(Qt::Key_Meta) << ShiftMod << 0xffe7u << 0xffe9u << "" << 18 << 5 << None;
        QTest::newRow("AltGr key")
            << int(Qt::Key_AltGr) << NoMods << 0xfe03u << 0xfe03u << "" << 18 << 6 << None;
        QTest::newRow("AltGr held, Mode_switch map")
            << int(Qt::Key_AltGr) << AltGrMod << 0xff7eu << 0xff7eu << "" << 18 << 6 << None;
        QTest::newRow("AltGr+q on German")
            << int(Qt::Key_At) << AltGrMod << 0x40u << 0x71u << "@" << 81 << 6 << 64;
        QTest::newRow("AltGr+e gives the euro")
            << 0x20ac << AltGrMod << 0x20acu << 0x65u << "€" << 69 << 6 << 128;
        QTest::newRow("AltGr+ß is still the ß key")
            << int(Qt::Key_Backslash) << AltGrMod << 0x5cu << 0xdfu << "\\" << 219 << 6 << 92;
        QTest::newRow("Shift+1 on US")
            << int(Qt::Key_Exclam) << ShiftMod << 0x21u << 0x31u << "!" << 49 << 1 << 33;
        QTest::newRow("Shift+7 on German")
            << int(Qt::Key_Slash) << ShiftMod << 0x2fu << 0x37u << "/" << 55 << 1 << 47;
        QTest::newRow("slash on US")
            << int(Qt::Key_Slash) << NoMods << 0x2fu << 0x2fu << "/" << 191 << 0 << 47;
        QTest::newRow("numbersign on German")
            << int(Qt::Key_NumberSign) << NoMods << 0x23u << 0x23u << "#" << 191 << 0 << 35;
        QTest::newRow("ü") << int(Qt::Key_Udiaeresis) << NoMods << 0xfcu << 0xfcu << "ü" << 186 << 0
                           << 252;
        QTest::newRow("Shift+ü") << int(Qt::Key_Udiaeresis) << ShiftMod << 0xdcu << 0xfcu << "Ü"
                                 << 186 << 1 << 220;
        QTest::newRow("less") << int(Qt::Key_Less) << NoMods << 0x3cu << 0x3cu << "<" << 226 << 0
                              << 60;
        QTest::newRow("Ctrl+a") << int(Qt::Key_A) << CtrlMod << 0x61u << 0x61u << "\x01" << 65 << 2
                                << 1;
        QTest::newRow("Alt+a types nothing")
            << int(Qt::Key_A) << AltMod << 0x61u << 0x61u << "a" << 65 << 4 << None;
        QTest::newRow("Delete types nothing")
            << int(Qt::Key_Delete) << NoMods << 0xffffu << 0xffffu << "\x7f" << 46 << 0 << None;
        QTest::newRow("Backspace")
            << int(Qt::Key_Backspace) << NoMods << 0xff08u << 0xff08u << "\b" << 8 << 0 << 8;
        QTest::newRow("Enter") << int(Qt::Key_Return) << NoMods << 0xff0du << 0xff0du << "\r" << 13
                               << 0 << 13;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << KeypadMod << 0xff8du << 0xff8du << "\r" << 13 << 0 << 13;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << NoMods << 0xff1bu << 0xff1bu << "\x1b"
                                << 27 << 0 << 27;
        QTest::newRow("Space") << int(Qt::Key_Space) << NoMods << 0x20u << 0x20u << " " << 32 << 0
                               << 32;
        QTest::newRow("Shift+Tab")
            << int(Qt::Key_Backtab) << ShiftMod << 0xfe20u << 0xff09u << "" << 9 << 1 << None;
        QTest::newRow("keypad 1, Num Lock on")
            << int(Qt::Key_1) << KeypadMod << 0xffb1u << 0xff9cu << "1" << 97 << 0 << 49;
        QTest::newRow("keypad 1, Num Lock off")
            << int(Qt::Key_End) << KeypadMod << 0xff9cu << 0xff9cu << "" << 35 << 0 << None;
        QTest::newRow("keypad comma, German")
            << int(Qt::Key_Comma) << KeypadMod << 0xffacu << 0xff9fu << "," << 110 << 0 << 44;
        QTest::newRow("F5") << int(Qt::Key_F5) << NoMods << 0xffc2u << 0xffc2u << "" << 116 << 0
                            << None;
        QTest::newRow("F9") << int(Qt::Key_F9) << NoMods << 0xffc6u << 0xffc6u << "" << 120 << 0
                            << None;
        QTest::newRow("Scroll Lock")
            << int(Qt::Key_ScrollLock) << NoMods << 0xff14u << 0xff14u << "" << 145 << 0 << None;
        QTest::newRow("left Windows")
            << int(Qt::Key_Meta) << NoMods << 0xffebu << 0xffebu << "" << 91 << 0 << None;
        QTest::newRow("keysym only, no map")
            << int(Qt::Key_F7) << NoMods << 0xffc4u << 0u << "" << 118 << 0 << None;
        // Window systems without keysyms: the Qt key decides.
        QTest::newRow("no keysym: F5")
            << int(Qt::Key_F5) << NoMods << 0u << 0u << "" << 116 << 0 << None;
        QTest::newRow("no keysym: keypad 1")
            << int(Qt::Key_1) << KeypadMod << 0u << 0u << "1" << 97 << 0 << 49;
        QTest::newRow("no keysym: keypad End")
            << int(Qt::Key_End) << KeypadMod << 0u << 0u << "" << 35 << 0 << None;
        QTest::newRow("no keysym: Q")
            << int(Qt::Key_Q) << NoMods << 0u << 0u << "q" << 81 << 0 << 113;
        QTest::newRow("no keysym: Meta")
            << int(Qt::Key_Meta) << NoMods << 0u << 0u << "" << 91 << 0 << None;
        QTest::newRow("no keysym: exclam unknown")
            << int(Qt::Key_Exclam) << ShiftMod << 0u << 0u << "!" << 0 << 1 << 33;
        QTest::newRow("Cyrillic key unknown")
            << 0x424 << NoMods << 0x6c6u << 0x6c6u << "ф" << 0 << 0 << 63;
    }
    void windowsKey()
    {
        QFETCH(int, qtKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(uint, keysym);
        QFETCH(uint, unshifted);
        QFETCH(QString, text);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(int, keyAscii);

        const WindowsKey key = windowsKeyFor(NativeKey{qtKey, modifiers, keysym, unshifted, text});
        QCOMPARE(key.KeyCode, keyCode);
        QCOMPARE(key.Shift, shift);
        QCOMPARE(key.KeyAscii.has_value(), keyAscii != None);
        if (key.KeyAscii) {
            QCOMPARE(*key.KeyAscii, keyAscii);
        }
    }

    void ansi_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<int>("code");
        QTest::newRow("a") << "a" << 97;
        QTest::newRow("control A") << "\x01" << 1;
        QTest::newRow("ä") << "ä" << 228;
        QTest::newRow("ÿ") << "ÿ" << 255;
        QTest::newRow("no-break space") << "\u00a0" << 160;
        QTest::newRow("euro") << "€" << 128;
        QTest::newRow("Y diaeresis") << "Ÿ" << 159;
        QTest::newRow("trade mark") << "™" << 153;
        QTest::newRow("C1 control is not in the code page") << "\u0081" << 63;
        QTest::newRow("Polish ł") << "ł" << 63;
    }
    void ansi()
    {
        QFETCH(QString, character);
        QFETCH(int, code);
        QCOMPARE(ansiCode(character.front()), code);
    }

    // The events handed to the capture box when the window system cannot.
    void nativeKey_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<QString>("text");

        QTest::newRow("F9") << 120 << int(Qt::Key_F9) << NoMods << 0xffc6u << "";
        QTest::newRow("A") << 65 << int(Qt::Key_A) << NoMods << 0x61u << "a";
        QTest::newRow("7") << 55 << int(Qt::Key_7) << NoMods << 0x37u << "7";
        QTest::newRow("Space") << 32 << int(Qt::Key_Space) << NoMods << 0x20u << " ";
        QTest::newRow("Enter") << 13 << int(Qt::Key_Return) << NoMods << 0xff0du << "\r";
        QTest::newRow("Delete") << 46 << int(Qt::Key_Delete) << NoMods << 0xffffu << "\x7f";
        QTest::newRow("keypad 1") << 97 << int(Qt::Key_1) << KeypadMod << 0xffb1u << "1";
        QTest::newRow("keypad plus") << 107 << int(Qt::Key_Plus) << KeypadMod << 0xffabu << "+";
        QTest::newRow("Scroll Lock") << 145 << int(Qt::Key_ScrollLock) << NoMods << 0xff14u << "";
        QTest::newRow("left Windows") << 91 << int(Qt::Key_Meta) << NoMods << 0xffebu << "";
        QTest::newRow("ß") << 219 << int(Qt::Key_ssharp) << NoMods << 0xdfu << "ß";
        QTest::newRow("ü") << 186 << int(Qt::Key_Udiaeresis) << NoMods << 0xfcu << "ü";
        QTest::newRow("dead circumflex")
            << 220 << int(Qt::Key_Dead_Circumflex) << NoMods << 0xfe52u << "";
    }
    void nativeKey()
    {
        QFETCH(int, code);
        QFETCH(int, qtKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(uint, keysym);
        QFETCH(QString, text);

        const std::optional<NativeKey> key = nativeKeyFor(code);
        QVERIFY(key.has_value());
        QCOMPARE(key->qtKey, qtKey);
        QCOMPARE(key->modifiers, modifiers);
        QCOMPARE(key->keysym, keysym);
        QCOMPARE(key->text, text);
    }

    void nativeKeyMissing_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("0") << 0;
        QTest::newRow("unassigned 7") << 7;
        QTest::newRow("255") << 255;
        QTest::newRow("300") << 300;
        QTest::newRow("negative") << -5;
    }
    void nativeKeyMissing()
    {
        QFETCH(int, code);
        QVERIFY(!nativeKeyFor(code).has_value());
    }

    // A key handed over without the window system names the same key, both
    // through its keysym and through its Qt key alone.
    void nativeKeysReadBack()
    {
        const std::map<int, int> readAs{{108, 110}, {160, 16}, {161, 16}, {162, 17},
                                        {163, 17},  {164, 18}, {165, 18}};
        for (int code = 0; code <= 255; ++code) {
            const std::optional<NativeKey> key = nativeKeyFor(code);
            if (!key) {
                continue;
            }
            const auto it = readAs.find(code);
            const int expected = it == readAs.end() ? code : it->second;
            QCOMPARE(windowsKeyFor(*key).KeyCode, expected);

            NativeKey withoutKeysym = *key;
            withoutKeysym.keysym = 0;
            withoutKeysym.unshiftedKeysym = 0;
            const int byQtKey = windowsKeyFor(withoutKeysym).KeyCode;
            // Qt has no key of its own for the separator and the sided modifiers.
            if (code != 108 && (code < 160 || code > 165)) {
                QVERIFY2(byQtKey == expected,
                         qPrintable(QStringLiteral("code %1 read as %2").arg(code).arg(byQtKey)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyEventMapping)
#include "tst_KeyEventMapping.moc"
