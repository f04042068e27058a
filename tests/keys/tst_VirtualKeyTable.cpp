#include "platform/keys/VirtualKeyTable.h"

#include <QTest>
#include <map>

using platform::isKeypadKeysym;
using platform::keysymsForVirtualKey;
using platform::virtualKeyForKeysym;

using Keysyms = std::vector<std::uint32_t>;
Q_DECLARE_METATYPE(Keysyms)

class TestVirtualKeyTable : public QObject
{
    Q_OBJECT
private slots:
    void toKeysyms_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<Keysyms>("keysyms");

        QTest::newRow("A is the key a") << 65 << Keysyms{0x61};
        QTest::newRow("Z") << 90 << Keysyms{0x7a};
        QTest::newRow("digit 0") << 48 << Keysyms{0x30};
        QTest::newRow("digit 9") << 57 << Keysyms{0x39};
        QTest::newRow("F1") << 112 << Keysyms{0xffbe};
        QTest::newRow("F9") << 120 << Keysyms{0xffc6};
        QTest::newRow("F24") << 135 << Keysyms{0xffd5};
        QTest::newRow("Backspace") << 8 << Keysyms{0xff08};
        QTest::newRow("Enter") << 13 << Keysyms{0xff0d};
        QTest::newRow("Shift") << 16 << Keysyms{0xffe1};
        QTest::newRow("Alt") << 18 << Keysyms{0xffe9};
        QTest::newRow("Pause") << 19 << Keysyms{0xff13};
        QTest::newRow("Page up") << 33 << Keysyms{0xff55};
        QTest::newRow("Print screen") << 44 << Keysyms{0xff61};
        QTest::newRow("Delete") << 46 << Keysyms{0xffff};
        QTest::newRow("left Windows") << 91 << Keysyms{0xffeb};
        QTest::newRow("right Windows") << 92 << Keysyms{0xffec};
        QTest::newRow("Menu") << 93 << Keysyms{0xff67};
        QTest::newRow("keypad 0") << 96 << Keysyms{0xffb0};
        QTest::newRow("keypad 1") << 97 << Keysyms{0xffb1};
        QTest::newRow("keypad divide") << 111 << Keysyms{0xffaf};
        QTest::newRow("keypad separator") << 108 << Keysyms{0xffac};
        QTest::newRow("Num Lock") << 144 << Keysyms{0xff7f};
        QTest::newRow("Scroll Lock") << 145 << Keysyms{0xff14};
        QTest::newRow("right Shift") << 161 << Keysyms{0xffe2};
        QTest::newRow("right Alt, else AltGr") << 165 << Keysyms{0xffea, 0xfe03};
        QTest::newRow("volume mute") << 173 << Keysyms{0x1008ff12};
        QTest::newRow("play/pause") << 179 << Keysyms{0x1008ff14};
        QTest::newRow("German ü before US ;") << 186 << Keysyms{0xfc, 0x3b};
        QTest::newRow("plus, equal") << 187 << Keysyms{0x2b, 0x3d};
        QTest::newRow("comma") << 188 << Keysyms{0x2c};
        QTest::newRow("minus") << 189 << Keysyms{0x2d};
        QTest::newRow("period") << 190 << Keysyms{0x2e};
        QTest::newRow("numbersign, slash") << 191 << Keysyms{0x23, 0x2f};
        QTest::newRow("ö, grave") << 192 << Keysyms{0xf6, 0x60};
        QTest::newRow("ß, bracketleft") << 219 << Keysyms{0xdf, 0x5b};
        QTest::newRow("dead circumflex, backslash") << 220 << Keysyms{0xfe52, 0x5c};
        QTest::newRow("dead acute, bracketright") << 221 << Keysyms{0xfe51, 0x5d};
        QTest::newRow("ä, apostrophe") << 222 << Keysyms{0xe4, 0x27};
        QTest::newRow("less") << 226 << Keysyms{0x3c};
        QTest::newRow("0 has no key") << 0 << Keysyms{};
        QTest::newRow("mouse button code") << 1 << Keysyms{};
        QTest::newRow("unassigned 7") << 7 << Keysyms{};
        QTest::newRow("unassigned 197") << 197 << Keysyms{};
        QTest::newRow("255") << 255 << Keysyms{};
        QTest::newRow("256 beyond 8 bits") << 256 << Keysyms{};
        QTest::newRow("300") << 300 << Keysyms{};
        QTest::newRow("negative") << -1 << Keysyms{};
    }
    void toKeysyms()
    {
        QFETCH(int, code);
        QFETCH(Keysyms, keysyms);
        QCOMPARE(keysymsForVirtualKey(code), keysyms);
    }

    void fromKeysym_data()
    {
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<int>("code");

        QTest::newRow("a") << 0x61u << 65;
        QTest::newRow("A") << 0x41u << 65;
        QTest::newRow("z") << 0x7au << 90;
        QTest::newRow("Z") << 0x5au << 90;
        QTest::newRow("5") << 0x35u << 53;
        QTest::newRow("F5") << 0xffc2u << 116;
        QTest::newRow("F9") << 0xffc6u << 120;
        QTest::newRow("F24") << 0xffd5u << 135;
        QTest::newRow("Scroll_Lock") << 0xff14u << 145;
        QTest::newRow("KP_1") << 0xffb1u << 97;
        QTest::newRow("KP_End is End") << 0xff9cu << 35;
        QTest::newRow("KP_Begin is Clear") << 0xff9du << 12;
        QTest::newRow("KP_Delete is Delete") << 0xff9fu << 46;
        QTest::newRow("KP_Enter is Enter") << 0xff8du << 13;
        QTest::newRow("KP_Separator: German decimal comma") << 0xffacu << 110;
        QTest::newRow("Delete") << 0xffffu << 46;
        QTest::newRow("Shift_L") << 0xffe1u << 16;
        QTest::newRow("Shift_R") << 0xffe2u << 16;
        QTest::newRow("Control_R") << 0xffe4u << 17;
        QTest::newRow("Alt_L") << 0xffe9u << 18;
        QTest::newRow("Meta_L") << 0xffe7u << 18;
        QTest::newRow("ISO_Level3_Shift") << 0xfe03u << 18;
        QTest::newRow("ISO_Left_Tab") << 0xfe20u << 9;
        QTest::newRow("Super_L") << 0xffebu << 91;
        QTest::newRow("Super_R") << 0xffecu << 92;
        QTest::newRow("Break") << 0xff6bu << 3;
        QTest::newRow("Sys_Req") << 0xff15u << 44;
        QTest::newRow("udiaeresis") << 0xfcu << 186;
        QTest::newRow("Udiaeresis") << 0xdcu << 186;
        QTest::newRow("semicolon") << 0x3bu << 186;
        QTest::newRow("plus") << 0x2bu << 187;
        QTest::newRow("equal") << 0x3du << 187;
        QTest::newRow("comma") << 0x2cu << 188;
        QTest::newRow("minus") << 0x2du << 189;
        QTest::newRow("period") << 0x2eu << 190;
        QTest::newRow("numbersign") << 0x23u << 191;
        QTest::newRow("slash") << 0x2fu << 191;
        QTest::newRow("odiaeresis") << 0xf6u << 192;
        QTest::newRow("grave") << 0x60u << 192;
        QTest::newRow("ssharp") << 0xdfu << 219;
        QTest::newRow("bracketleft") << 0x5bu << 219;
        QTest::newRow("dead_circumflex") << 0xfe52u << 220;
        QTest::newRow("backslash") << 0x5cu << 220;
        QTest::newRow("dead_acute") << 0xfe51u << 221;
        QTest::newRow("bracketright") << 0x5du << 221;
        QTest::newRow("adiaeresis") << 0xe4u << 222;
        QTest::newRow("apostrophe") << 0x27u << 222;
        QTest::newRow("less") << 0x3cu << 226;
        QTest::newRow("XF86AudioPause") << 0x1008ff31u << 179;
        QTest::newRow("exclam is a shifted symbol") << 0x21u << 0;
        QTest::newRow("at") << 0x40u << 0;
        QTest::newRow("EuroSign") << 0x20acu << 0;
        QTest::newRow("NoSymbol") << 0u << 0;
    }
    void fromKeysym()
    {
        QFETCH(uint, keysym);
        QFETCH(int, code);
        QCOMPARE(virtualKeyForKeysym(keysym), code);
    }

    // Every code that can be sent is read back as itself, apart from the
    // left/right variants, which a key handler sees as the generic key.
    void sentKeysReadBack()
    {
        const std::map<int, int> readAs{{108, 110}, {160, 16}, {161, 16}, {162, 17},
                                        {163, 17},  {164, 18}, {165, 18}};
        int mapped = 0;
        for (int code = 0; code <= 255; ++code) {
            const Keysyms keysyms = keysymsForVirtualKey(code);
            if (keysyms.empty()) {
                continue;
            }
            ++mapped;
            const auto it = readAs.find(code);
            const int expected = it == readAs.end() ? code : it->second;
            for (const std::uint32_t keysym : keysyms) {
                QCOMPARE(virtualKeyForKeysym(keysym), expected);
            }
        }
        // Letters, digits, F1-F24 and the named keys.
        QVERIFY2(mapped > 130, qPrintable(QString::number(mapped)));
    }

    void keypadKeysyms_data()
    {
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("KP_Space") << 0xff80u << true;
        QTest::newRow("KP_End") << 0xff9cu << true;
        QTest::newRow("KP_1") << 0xffb1u << true;
        QTest::newRow("KP_Equal") << 0xffbdu << true;
        QTest::newRow("F1") << 0xffbeu << false;
        QTest::newRow("Num_Lock") << 0xff7fu << false;
        QTest::newRow("End") << 0xff57u << false;
        QTest::newRow("1") << 0x31u << false;
    }
    void keypadKeysyms()
    {
        QFETCH(uint, keysym);
        QFETCH(bool, keypad);
        QCOMPARE(isKeypadKeysym(keysym), keypad);
    }
};

QTEST_GUILESS_MAIN(TestVirtualKeyTable)
#include "tst_VirtualKeyTable.moc"
