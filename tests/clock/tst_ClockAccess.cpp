// The clock from the keyboard, under the pointer and to screen readers: the
// Menu key and Shift+F10, the date tooltip, the time on the face.
#include "app/Windows.h"
#include "clock/frmClock.h"
#include "tests/clock/ClockFixture.h"

#include <QAccessible>
#include <QDateTime>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

class TestClockAccess : public QObject
{
    Q_OBJECT
private slots:
    void menuKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Menu") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
        QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+F10") << int(Qt::Key_F10) << int(Qt::ControlModifier) << false;
        QTest::newRow("Shift+F9") << int(Qt::Key_F9) << int(Qt::ShiftModifier) << false;
    }
    // The menu opens at the clock, wherever the pointer is.
    void menuKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, opens);
        ClockFixture f;
        frmClock& clock = f.windows.clock();
        clock.Form_Load();
        clock.move(200, 100);
        QCOMPARE(clock.focusPolicy(), Qt::StrongFocus);
        QSignalSpy menu(&clock, &frmClock::menuRequested);
        QTest::keyClick(&clock, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(menu.size(), opens ? 1 : 0);
        if (opens) {
            QCOMPARE(menu.at(0).at(0).toPoint(), clock.mapToGlobal(clock.rect().center()));
        }
    }

    // Worked out at each showing: after midnight the new day. Asked on a
    // tube, the question goes up to the clock.
    void tooltipShowsTheDate()
    {
        ClockFixture f;
        frmClock& clock = f.windows.clock();
        clock.Form_Load();
        clock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clock));
        const QDateTime beforeMidnight(QDate(2026, 12, 8), QTime(23, 59, 59));
        for (const auto& [seconds, text] :
             {std::pair{beforeMidnight.toSecsSinceEpoch(), "Dienstag, 8. Dezember 2026"},
              std::pair{beforeMidnight.toSecsSinceEpoch() + 1, "Mittwoch, 9. Dezember 2026"}}) {
            f.now = seconds;
            QWidget* tube = clock.tubes()[2];
            QHelpEvent ask(QEvent::ToolTip, QPoint(3, 3), tube->mapToGlobal(QPoint(3, 3)));
            QApplication::sendEvent(tube, &ask);
            QCOMPARE(QToolTip::text(), QString::fromUtf8(text));
            QToolTip::hideText();
        }
    }

    // Screen readers read the time the tubes show when they ask; in standby
    // the zeros.
    void faceNamesTheTime()
    {
        ClockFixture f;
        frmClock& clock = f.windows.clock();
        clock.Form_Load();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(clock.face());
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), QString());
        f.now = QDateTime(QDate(2026, 12, 8), QTime(7, 30, 5)).toSecsSinceEpoch();
        clock.Timer1_Timer();
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("07:30:05"));
        QCOMPARE(face->textInterface()->text(0, 8), QStringLiteral("07:30:05"));
        f.state.core.toggle(ClockCore::Standby);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("00:00:00"));
    }
};

QTEST_MAIN(TestClockAccess)
#include "tst_ClockAccess.moc"
