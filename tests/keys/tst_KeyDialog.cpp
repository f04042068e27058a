#include "app/Windows.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "keys/KeyCaptureEdit.h"
#include "core/SettingsWriter.h"
#include "keys/KeyDialog.h"
#include "platform/dummy/DummyKeyInjector.h"
#include "platform/dummy/DummySoundOutput.h"
#include "platform/dummy/FixedKeyboardLayout.h"
#include "tests/support/SettingsFiles.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// X keycodes of a pc105 keyboard and the keysyms they give unshifted.
std::map<std::uint32_t, std::uint32_t> pcKeyboard()
{
    return {{9, 0xff1b},   {10, 0x31},    {22, 0xff08},  {23, 0xff09}, {24, 0x71},
            {36, 0xff0d},  {37, 0xffe3},  {38, 0x61},    {50, 0xffe1}, {56, 0x62},
            {64, 0xffe9},  {65, 0x20},    {71, 0xffc2},  {78, 0xff14}, {87, 0xff9c},
            {108, 0xfe03}, {119, 0xffff}, {133, 0xffeb}, {134, 0xffec}};
}

struct Key
{
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    quint32 keysym;
    quint32 keycode;
    QString text;
};

void press(QWidget* target, const Key& k)
{
    QKeyEvent e(QEvent::KeyPress, k.qtKey, k.modifiers, k.keycode, k.keysym, 0, k.text);
    QCoreApplication::sendEvent(target, &e);
}

void release(QWidget* target, const Key& k)
{
    QKeyEvent e(QEvent::KeyRelease, k.qtKey, k.modifiers, k.keycode, k.keysym, 0, k.text);
    QCoreApplication::sendEvent(target, &e);
}

const Key KeyA{Qt::Key_A, Qt::NoModifier, 0x61, 38, QStringLiteral("a")};
const Key KeyB{Qt::Key_B, Qt::NoModifier, 0x62, 56, QStringLiteral("b")};
const Key KeyWinLeft{Qt::Key_Meta, Qt::NoModifier, 0xffeb, 133, {}};

} // namespace

class TestFrmKeyStroke : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_sound = std::make_unique<platform::DummySoundOutput>();
        m_keys = std::make_unique<platform::DummyKeyInjector>();
        m_state = std::make_unique<AppState>(Services{*m_sound, *m_keys, [] { return 0; }});
        m_core = std::make_unique<ClockCore>();
        m_state->settingsFile = m_dir.filePath(QStringLiteral("glimmora.ini"));
        m_core->setKeyCode(120);
        m_writer = std::make_unique<SettingsWriter>(*m_state, *m_core, [] { return QPoint(); });
        m_writer->followChanges();
        m_dialog = new KeyDialog(*m_state, *m_core,
                                    std::make_unique<platform::FixedKeyboardLayout>(pcKeyboard()));
    }
    void cleanup()
    {
        delete m_dialog.data();
        QFile::remove(m_state->settingsFile);
        m_writer.reset();
        m_state.reset();
        m_core.reset();
    }

    void controlsAndTexts()
    {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Taste auswählen"));
        QCOMPARE(m_dialog->size(), QSize(396, 158));
        QCOMPARE(m_dialog->storeButton()->text(), QStringLiteral("übernehmen + speichern"));
        QVERIFY(m_dialog->storeButton()->font().bold());
        QCOMPARE(m_dialog->cancelButton()->text(), QStringLiteral("abbrechen"));
        QCOMPARE(m_dialog->keyFrame()->title(), QStringLiteral("Tastatur-Auswertung"));
        QCOMPARE(m_dialog->characterCaption()->text(), QStringLiteral("KeyAscii:"));
        QCOMPARE(m_dialog->keyCodeCaption()->text(), QStringLiteral("KeyCode:"));
        QCOMPARE(m_dialog->shiftCaption()->text(), QStringLiteral("Shift:"));
        QCOMPARE(m_dialog->characterCode()->text(), QStringLiteral("-"));
        QCOMPARE(m_dialog->keyCode()->text(), QStringLiteral("0"));
        QCOMPARE(m_dialog->shiftBits()->text(), QStringLiteral("0"));
        QVERIFY(m_dialog->captureBox()->text().isEmpty());
        QVERIFY(m_dialog->characterCode()->isReadOnly() && m_dialog->keyCode()->isReadOnly() &&
                m_dialog->shiftBits()->isReadOnly());
        QCOMPARE(m_dialog->captureBox()->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QCOMPARE(m_dialog->captureBox()->parentWidget(), m_dialog->keyFrame());
        QCOMPARE(m_dialog->keyCode()->geometry(), QRect(220, 64, 52, 29));
        QCOMPARE(m_dialog->storeButton()->geometry(), QRect(8, 120, 225, 33));
        QCOMPARE(m_dialog->captureBox()->font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(m_dialog->captureBox()->font().pointSizeF(), 13.5);
        QCOMPARE(m_dialog->characterCaption()->font().pointSizeF(), 12.0);
        QVERIFY(m_dialog->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!m_dialog->captureBox()->testAttribute(Qt::WA_InputMethodEnabled));
    }

    // Key events as X delivers them, and what the dialog shows after the
    // press and after the release.
    void keyHandlers_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<uint>("keysym");
        QTest::addColumn<uint>("keycode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("text3");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<QString>("label4");

        const auto none = Qt::KeyboardModifiers();
        QTest::newRow("a") << int(Qt::Key_A) << none << 0x61u << 38u << "a"
                           << "a"
                           << "97"
                           << "65"
                           << "0"
                           << "";
        QTest::newRow("Shift+a") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                 << 0x41u << 38u << "A"
                                 << "A"
                                 << "65"
                                 << "65"
                                 << "1"
                                 << "";
        QTest::newRow("Shift") << int(Qt::Key_Shift) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << 0xffe1u << 50u << ""
                               << "SHIFT"
                               << "-"
                               << "16"
                               << "1"
                               << "Umschalt";
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << 0xffe3u << 37u << ""
                              << "CTRL"
                              << "-"
                              << "17"
                              << "2"
                              << "Steuerung";
        QTest::newRow("Alt") << int(Qt::Key_Alt) << Qt::KeyboardModifiers(Qt::AltModifier)
                             << 0xffe9u << 64u << ""
                             << "ALT"
                             << "-"
                             << "18"
                             << "4"
                             << "Alternativ";
        QTest::newRow("AltGr") << int(Qt::Key_AltGr) << none << 0xfe03u << 108u << ""
                               << "Alt Gr"
                               << "-"
                               << "18"
                               << "6"
                               << "Alt Gr";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 0xffffu << 119u << "\x7f"
                                << "Del"
                                << "-"
                                << "46"
                                << "0"
                                << "Entfernen";
        QTest::newRow("keypad 1, Num Lock on")
            << int(Qt::Key_1) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0xffb1u << 87u << "1"
            << "1"
            << "49"
            << "97"
            << "0"
            << "Nummernblock";
        QTest::newRow("F5") << int(Qt::Key_F5) << none << 0xffc2u << 71u << ""
                            << "F5"
                            << "-"
                            << "116"
                            << "0"
                            << "";
        QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << none << 0xff14u << 78u << ""
                                     << "Scroll"
                                     << "-"
                                     << "145"
                                     << "0"
                                     << "Rollen";
        QTest::newRow("Space") << int(Qt::Key_Space) << none << 0x20u << 65u << " "
                               << "SPACE"
                               << "32"
                               << "32"
                               << "0"
                               << "Leertaste";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 0xff1bu << 9u << "\x1b"
                                << "ESC"
                                << "27"
                                << "27"
                                << "0"
                                << "Escape";
        QTest::newRow("dead circumflex")
            << int(Qt::Key_Dead_Circumflex) << none << 0xfe52u << 49u << ""
            << ""
            << "-"
            << "220"
            << "0"
            << "";
        QTest::newRow("right Windows") << int(Qt::Key_Meta) << none << 0xffecu << 134u << ""
                                       << "ÿ"
                                       << "-"
                                       << "92"
                                       << "0"
                                       << "Win-Taste Rechts";
    }
    void keyHandlers()
    {
        QFETCH(int, qtKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(uint, keysym);
        QFETCH(uint, keycode);
        QFETCH(QString, text);
        QFETCH(QString, text3);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(QString, text4);
        QFETCH(QString, label4);

        m_dialog->show();
        // Something typed before, so a key that fails to replace it shows.
        m_dialog->captureBox()->setText(QStringLiteral("xyz"));
        m_dialog->captureBox()->setCursorPosition(1);
        const Key key{qtKey, modifiers, keysym, keycode, text};
        press(m_dialog->captureBox(), key);
        QCOMPARE(m_dialog->captureBox()->text(), text3);
        QCOMPARE(m_dialog->characterCode()->text(), text1);
        QCOMPARE(m_dialog->keyCode()->text(), text2);
        QCOMPARE(m_dialog->shiftBits()->text(), text4);
        QCOMPARE(m_dialog->keyNameLabel()->text(), label4);
        release(m_dialog->captureBox(), key);
        QCOMPARE(m_dialog->captureBox()->selectedText(), text3);
        QVERIFY(m_dialog->isVisible()); // Escape and Enter do not close it
    }

    void tabSelectsItsName()
    {
        m_dialog->show();
        press(m_dialog->captureBox(),
              {Qt::Key_Tab, Qt::NoModifier, 0xff09, 23, QStringLiteral("\t")});
        QCOMPARE(m_dialog->captureBox()->selectedText(), QStringLiteral("TAB"));
    }

    void windowsKeyShowsLogoUntilNextKey()
    {
        m_dialog->show();
        press(m_dialog->captureBox(), KeyWinLeft);
        QVERIFY(m_dialog->captureBox()->windowsLogo());
        QCOMPARE(m_dialog->keyNameLabel()->text(), QStringLiteral("Win-Taste Links"));
        QCOMPARE(m_dialog->captureBox()->font().pointSizeF(), 18.0);
        QVERIFY(!m_dialog->captureBox()->font().bold());
        const QImage shown = m_dialog->captureBox()->grab().toImage();
        // The drawn logo has its red pane; text alone would be black on white.
        bool red = false;
        for (int y = 0; y < shown.height() && !red; ++y) {
            for (int x = 0; x < shown.width() && !red; ++x) {
                const QColor c = shown.pixelColor(x, y);
                red = c.red() > 200 && c.green() < 120 && c.blue() < 80;
            }
        }
        QVERIFY(red || !m_dialog->captureBox()->drawsLogo());
        release(m_dialog->captureBox(), KeyWinLeft);

        press(m_dialog->captureBox(), KeyA);
        QVERIFY(!m_dialog->captureBox()->windowsLogo());
        QCOMPARE(m_dialog->captureBox()->text(), QStringLiteral("a"));
        QCOMPARE(m_dialog->captureBox()->font().family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(m_dialog->captureBox()->font().pointSizeF(), 14.0);
        QVERIFY(m_dialog->captureBox()->font().bold());
    }

    void nextKeyReplacesTheLast()
    {
        m_dialog->show();
        press(m_dialog->captureBox(), KeyA);
        release(m_dialog->captureBox(), KeyA);
        press(m_dialog->captureBox(), KeyB);
        QCOMPARE(m_dialog->captureBox()->text(), QStringLiteral("b"));
        QCOMPARE(m_dialog->keyCode()->text(), QStringLiteral("66"));
    }

    // The stored key is pressed once the dialog is the active window. Where
    // it does not come back (it went elsewhere, or here: no window system),
    // the dialog shows the definition itself a moment later; a key that
    // arrives is left as it is.
    void openingPressesStoredKey_data()
    {
        QTest::addColumn<bool>("arrives");
        QTest::addColumn<QString>("text2");
        QTest::newRow("lost") << false << QStringLiteral("120");
        QTest::newRow("a key arrives") << true << QStringLiteral("65");
    }
    void openingPressesStoredKey()
    {
        QFETCH(bool, arrives);
        QFETCH(QString, text2);
        m_dialog->prepare();
        QTRY_COMPARE(m_keys->sentKeys(), std::vector<std::uint8_t>{120});
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_dialog->captureBox()->hasFocus());
        QCOMPARE(m_dialog->keyCode()->text(), QStringLiteral("0")); // nothing made up at once
        if (arrives) {
            press(m_dialog->captureBox(), KeyA);
            release(m_dialog->captureBox(), KeyA);
            // Past the dialog's wait for a lost key: nothing replaces this one.
            QTest::qWait(700);
        }
        QTRY_COMPARE(m_dialog->keyCode()->text(), text2);
        QCOMPARE(m_keys->sentKeys(), std::vector<std::uint8_t>{120});
    }

    // Where the platform takes no key, the dialog shows the definition itself.
    void openingWithoutPlatformShowsDefinition()
    {
        m_keys->setAccepts(false);
        m_dialog->prepare();
        QTRY_COMPARE(m_dialog->captureBox()->text(), QStringLiteral("F9"));
        QCOMPARE(m_dialog->keyCode()->text(), QStringLiteral("120"));
        QCOMPARE(m_dialog->shiftBits()->text(), QStringLiteral("0"));
        QCOMPARE(m_dialog->characterCode()->text(), QStringLiteral("-"));
        QCOMPARE(m_dialog->keyNameLabel()->text(), QString());
        QCOMPARE(m_dialog->captureBox()->selectedText(), QStringLiteral("F9"));
    }

    // Another window keeps the focus: no key may leave the program. Under
    // load the X server may still give it to another window while Qt already
    // calls the dialog active.
    void openingWhileInactiveKeepsKeyInside_data()
    {
        QTest::addColumn<bool>("otherActive");
        QTest::newRow("another window active") << true;
        QTest::newRow("the server's focus elsewhere") << false;
    }
    void openingWhileInactiveKeepsKeyInside()
    {
        QFETCH(bool, otherActive);
        QWidget other;
        m_keys->setFocusHere(otherActive); // each row leaves one check to stop the key
        m_dialog->setActivationTimeout(200);
        m_dialog->prepare();
        if (otherActive) {
            other.show();
            other.activateWindow();
            QCoreApplication::processEvents();
            QVERIFY(!m_dialog->isActiveWindow());
        } else {
            QTRY_VERIFY(m_dialog->isActiveWindow());
        }
        QTRY_COMPARE(m_dialog->keyCode()->text(), QStringLiteral("120"));
        QCOMPARE(m_dialog->captureBox()->text(), QStringLiteral("F9"));
        QVERIFY(m_keys->sentKeys().empty());
    }

    void openingWithCodeBeyondEightBits_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("300") << 300;
        QTest::newRow("256") << 256;
        QTest::newRow("-1") << -1;
    }
    void openingWithCodeBeyondEightBits()
    {
        QFETCH(int, code);
        m_core->setKeyCode(static_cast<std::int16_t>(code));
        m_keys->setAccepts(false);
        m_dialog->setActivationTimeout(50);
        m_dialog->prepare();
        // Well past the activation timeout: nothing is sent or shown meanwhile.
        QTest::qWait(200);
        QVERIFY(m_keys->sentKeys().empty());
        QCOMPARE(m_dialog->keyCode()->text(), QStringLiteral("0"));
    }

    void displayBoxesPassFocusOn()
    {
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog));
        for (QLineEdit* box :
             {m_dialog->characterCode(), m_dialog->keyCode(), m_dialog->shiftBits()}) {
            box->setFocus();
            QTRY_VERIFY(m_dialog->captureBox()->hasFocus());
        }
    }

    void storeWritesAtOnce_data()
    {
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("code");
        QTest::newRow("Scroll Lock") << "145"
                                     << "145" << 145;
        QTest::newRow("0") << "0"
                           << "0" << 0;
        // The file and the running clock keep the same code.
        QTest::newRow("beyond 16 bits keeps the code") << "40000"
                                                       << "" << 120;
    }
    void storeWritesAtOnce()
    {
        QFETCH(QString, text2);
        QFETCH(QString, stored);
        QFETCH(int, code);
        m_dialog->show();
        m_dialog->keyCode()->setText(text2);
        m_dialog->storeButton()->click();
        QCOMPARE(ReadIni(m_state->appTitle, QStringLiteral("SendKey"), m_state->settingsFile, {}),
                 stored);
        QCOMPARE(m_core->keyCode(), code);
        QTRY_VERIFY(m_dialog.isNull());
    }

    void storeAfterPressingScrollLock()
    {
        m_dialog->show();
        press(m_dialog->captureBox(), {Qt::Key_ScrollLock, Qt::NoModifier, 0xff14, 78, {}});
        m_dialog->storeButton()->click();
        QCOMPARE(ReadIni(m_state->appTitle, QStringLiteral("SendKey"), m_state->settingsFile, {}),
                 QStringLiteral("145"));
        QCOMPARE(m_core->keyCode(), 145);
    }

    void storeWithEmptyCodeDoesNothing()
    {
        m_dialog->show();
        m_dialog->keyCode()->clear();
        m_dialog->storeButton()->click();
        QVERIFY(!QFileInfo::exists(m_state->settingsFile));
        QCOMPARE(m_core->keyCode(), 120);
        QVERIFY(m_dialog->isVisible());
    }

    void cancelChangesNothing()
    {
        m_dialog->show();
        press(m_dialog->captureBox(), KeyA);
        m_dialog->cancelButton()->click();
        QVERIFY(!QFileInfo::exists(m_state->settingsFile));
        QCOMPARE(m_core->keyCode(), 120);
        QTRY_VERIFY(m_dialog.isNull());
    }

    // Opening twice shows the same window and presses the key only once.
    void existsOnce()
    {
        delete m_dialog.data();
        Windows windows(*m_state, *m_core);
        QVERIFY(!windows.keyStroke());
        windows.showKeyStroke();
        QPointer<KeyDialog> first = windows.keyStroke();
        QVERIFY(first);
        QTRY_COMPARE(m_keys->sentKeys().size(), std::size_t{1});
        windows.showKeyStroke();
        QCOMPARE(windows.keyStroke(), first.data());
        QTest::qWait(100); // ten activation polls: no second key meanwhile
        QCOMPARE(m_keys->sentKeys().size(), std::size_t{1});
        first->close();
        QTRY_VERIFY(!windows.keyStroke());
        windows.showKeyStroke();
        QVERIFY(windows.keyStroke());
        QVERIFY(windows.keyStroke() != first.data());
        QTRY_COMPARE(m_keys->sentKeys().size(), std::size_t{2});
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<platform::DummySoundOutput> m_sound;
    std::unique_ptr<platform::DummyKeyInjector> m_keys;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ClockCore> m_core;
    std::unique_ptr<SettingsWriter> m_writer;
    QPointer<KeyDialog> m_dialog;
};

QTEST_MAIN(TestFrmKeyStroke)
#include "tst_KeyDialog.moc"
