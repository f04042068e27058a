// Mouse on the clock face: dragging, the context menu, double-clicks and the
// switch areas.
#include "tests/support/MenuTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The surfaces by name: the window itself, the face and the tubes.
QWidget* surface(ClockWindow& clock, const QString& name)
{
    if (name == QLatin1String("window")) {
        return &clock;
    }
    if (name == QLatin1String("back")) {
        return clock.face();
    }
    return clock.tubes()[name.mid(4).toInt()];
}

void addSurfaceRows(const char* suffix)
{
    for (const char* s : {"window", "back", "tube0", "tube4", "tube5"}) {
        QTest::addRow("%s%s", s, suffix) << QString::fromLatin1(s);
    }
}

} // namespace

class TestClockMouse : public QObject
{
    Q_OBJECT
private slots:
    // Left press at (5, 10), then the pointer goes (+30, +12) in steps: the
    // window ends exactly that far away, with the pressed point under the
    // pointer.
    void dragMovesPixelForPixel_data()
    {
        QTest::addColumn<QString>("name");
        addSurfaceRows("");
    }
    void dragMovesPixelForPixel()
    {
        QFETCH(QString, name);
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(200, 150));
        QWidget* w = surface(clock, name);
        const QPoint pressed(5, 10);
        const QPoint start = w->mapToGlobal(pressed);

        sendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, pressed);
        QVERIFY(clock.isDragging());
        QCOMPARE(clock.dragStart(), QPointF(5, 10));
        for (const QPoint step : {QPoint(1, 0), QPoint(10, 4), QPoint(30, 12)}) {
            const QPoint global = start + step;
            sendMouse(w, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
                      QPointF(w->mapFromGlobal(global)), QPointF(global));
        }
        sendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                  w->mapFromGlobal(start + QPoint(30, 12)));

        QCOMPARE(clock.pos(), QPoint(230, 162));
        QCOMPARE(w->mapToGlobal(pressed), start + QPoint(30, 12));
        QVERIFY(!clock.isDragging());
        QCOMPARE(f.exits, 0);
    }

    // The window system reports local positions against where the window
    // was when the event was made; the result follows the pointer alone.
    void dragIgnoresStaleLocalPositions()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(300, 300));
        QWidget* tube = clock.tubes()[2];
        const QPoint start = tube->mapToGlobal(QPoint(4, 4));
        sendMouse(tube, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPointF(4, 4),
                  QPointF(start));
        // Local positions as if the window had not moved yet.
        sendMouse(tube, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(24, 4),
                  QPointF(start + QPoint(20, 0)));
        sendMouse(tube, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(44, 4),
                  QPointF(start + QPoint(40, 0)));
        sendMouse(tube, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(4, -6),
                  QPointF(start + QPoint(40, -10)));
        QCOMPARE(clock.pos(), QPoint(340, 290));
    }

    // No limit at the screen edges: the window goes off the top left.
    void dragPastTheScreenEdge()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(10, 5));
        const QPoint start = clock.mapToGlobal(QPoint(100, 100));
        sendMouse(&clock, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
                  QPointF(100, 100), QPointF(start));
        sendMouse(&clock, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(0, 0),
                  QPointF(start - QPoint(60, 45)));
        QCOMPARE(clock.pos(), QPoint(-50, -40));
    }

    // The release of any button ends the drag; later moves move nothing.
    void releaseOfAnyButtonEndsTheDrag_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("left") << int(Qt::LeftButton);
        QTest::newRow("right") << int(Qt::RightButton);
        QTest::newRow("middle") << int(Qt::MiddleButton);
    }
    void releaseOfAnyButtonEndsTheDrag()
    {
        QFETCH(int, button);
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(200, 150));
        QWidget* back = clock.face();
        const QPoint start = back->mapToGlobal(QPoint(50, 50));
        sendMouse(back, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPointF(50, 50),
                  QPointF(start));
        sendMouse(back, QEvent::MouseButtonRelease, Qt::MouseButton(button), Qt::LeftButton,
                  QPointF(50, 50), QPointF(start));
        QVERIFY(!clock.isDragging());
        sendMouse(back, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, QPointF(70, 70),
                  QPointF(start + QPoint(20, 20)));
        QCOMPARE(clock.pos(), QPoint(200, 150));
    }

    // Any button but the left one opens the menu where the pointer is and
    // leaves the drag state alone.
    void otherButtonsOpenTheMenuAtThePointer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");
        for (const char* s : {"window", "back", "tube0", "tube5"}) {
            QTest::addRow("%s right", s) << QString::fromLatin1(s) << int(Qt::RightButton);
            QTest::addRow("%s middle", s) << QString::fromLatin1(s) << int(Qt::MiddleButton);
        }
        QTest::addRow("back extra") << QStringLiteral("back") << int(Qt::ExtraButton1);
    }
    void otherButtonsOpenTheMenuAtThePointer()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        MenuFixture f;
        ClockWindow& clock = f.shownClock(QPoint(100, 80));
        QWidget* w = surface(clock, name);
        const QPoint at = w->mapToGlobal(QPoint(6, 7));

        sendMouse(w, QEvent::MouseButtonPress, Qt::MouseButton(button), Qt::MouseButton(button),
                  QPointF(6, 7), QPointF(at));

        QMenu* menu = &f.menu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), at);
        QVERIFY(!clock.isDragging());
        QCOMPARE(clock.pos(), QPoint(100, 80));
        menu->hide();
    }

    void rightPressDuringDragKeepsDragging()
    {
        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        QWidget* back = clock.face();
        sendMouse(back, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(30, 30));
        sendMouse(back, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton,
                  QPoint(30, 30));
        QVERIFY(f.menu().isVisible());
        QVERIFY(clock.isDragging());
        f.menu().hide();
    }

    // A left double-click on the face or a tube ends the program; the window
    // itself does not. With another button the second press opens the menu
    // again, like the first.
    void doubleClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("ends");
        for (const char* s : {"back", "tube0", "tube1", "tube2", "tube3", "tube4", "tube5"}) {
            QTest::addRow("%s left", s) << QString::fromLatin1(s) << int(Qt::LeftButton) << true;
        }
        QTest::addRow("tube3 right") << QStringLiteral("tube3") << int(Qt::RightButton) << false;
        QTest::addRow("back middle") << QStringLiteral("back") << int(Qt::MiddleButton) << false;
        QTest::addRow("window right") << QStringLiteral("window") << int(Qt::RightButton) << false;
        QTest::addRow("window left") << QStringLiteral("window") << int(Qt::LeftButton) << false;
    }
    void doubleClick()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(bool, ends);
        QTemporaryDir dir;
        MenuFixture f;
        f.state.settingsFile = dir.filePath(QStringLiteral("glimmora.ini"));
        ClockWindow& clock = f.shownClock();
        QWidget* w = surface(clock, name);
        const auto b = Qt::MouseButton(button);
        QMenu* menu = &f.menu();

        sendMouse(w, QEvent::MouseButtonPress, b, b, QPoint(2, 2));
        sendMouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, QPoint(2, 2));
        // The menu was chosen from or left in between.
        menu->hide();
        sendMouse(w, QEvent::MouseButtonDblClick, b, b, QPoint(2, 2));
        sendMouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, QPoint(2, 2));

        QCOMPARE(f.exits, ends ? 1 : 0);
        QCOMPARE(QFileInfo::exists(f.state.settingsFile), ends);
        QCOMPARE(menu->isVisible(), b != Qt::LeftButton);
        menu->hide();
    }

    // The standby switch areas toggle the same mode as the menu entry; a
    // double-click toggles once.
    void standbySwitches_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("lblStdby(0)") << 0 << false;
        QTest::newRow("lblStdby(1)") << 1 << false;
        QTest::newRow("lblStdby(0) double") << 0 << true;
        QTest::newRow("lblStdby(1) double") << 1 << true;
    }
    void standbySwitches()
    {
        QFETCH(int, index);
        QFETCH(bool, doubleClick);
        MenuFixture f;
        ClockWindow& clock = f.shownClock();
        clock.tickTimer()->start();
        QWidget* label = clock.standbySwitches()[index];

        sendMouse(label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(2, 2));
        sendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(2, 2));
        if (doubleClick) {
            sendMouse(label, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton,
                      QPoint(2, 2));
            sendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                      QPoint(2, 2));
        }
        QVERIFY(f.menu().entryFor(Option::Standby)->isChecked());
        QVERIFY(!clock.tickTimer()->isActive());

        // Off again from the menu; the switch then puts it on again.
        f.menu().entryFor(Option::Standby)->trigger();
        QVERIFY(clock.tickTimer()->isActive());
        sendMouse(label, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, QPoint(2, 2));
        sendMouse(label, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, QPoint(2, 2));
        QVERIFY(f.menu().entryFor(Option::Standby)->isChecked());
        // Switch areas take no part in dragging nor open the menu.
        sendMouse(label, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(2, 2));
        QVERIFY(!f.menu().isVisible());
        QVERIFY(!clock.isDragging());
        QCOMPARE(f.exits, 0);
    }

    void alarmTestPlaysTheSoundOnce()
    {
        MenuFixture f;
        f.state.programDir = QStringLiteral("/opt/clock/");
        ClockWindow& clock = f.shownClock();
        sendMouse(clock.alarmTestArea(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton,
                  QPoint(1, 1));
        sendMouse(clock.alarmTestArea(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton,
                  QPoint(1, 1));
        QCOMPARE(f.sound.playedPaths(), QStringList{QStringLiteral("/opt/clock/alarm.wav")});
        QCOMPARE(f.core.alarmState(), AlarmState::Armed);
        QCOMPARE(clock.alarmTestArea()->toolTip(), QStringLiteral("Alarm Testsignal"));
        QCOMPARE(f.exits, 0);
    }
};

QTEST_MAIN(TestClockMouse)
#include "tst_ClockMouse.moc"
