#include "AlarmTestState.h"
#include "alarm/AlarmNotice.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

int visibleNotices()
{
    return visibleWindows<AlarmNotice>();
}

} // namespace

class TestFrmMessage : public QObject
{
    Q_OBJECT
private slots:
    void layout()
    {
        AlarmTestState t;
        t.windows.showNotice();
        AlarmNotice* w = t.windows.notice();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Alarm"));
        QCOMPARE(w->size(), QSize(220, 110));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowType(), Qt::Tool);
        QVERIFY(!w->isModal());
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));

        QCOMPARE(w->messageLabel()->text(), QStringLiteral("Alarmzeit erreicht"));
        QCOMPARE(w->messageLabel()->geometry(), QRect(8, 12, 201, 33));
        QCOMPARE(w->messageLabel()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(w->okButton()->text(), QStringLiteral("O K"));
        QCOMPARE(w->okButton()->geometry(), QRect(40, 48, 137, 49));
        for (QWidget* c :
             {static_cast<QWidget*>(w->messageLabel()), static_cast<QWidget*>(w->okButton())}) {
            QCOMPARE(c->font().family(), QStringLiteral("Liberation Sans"));
            QCOMPARE(c->font().pointSizeF(), 13.5);
            QVERIFY(c->font().bold());
        }
        // The message fits its label, the caption its button.
        const QFontMetrics fm(w->messageLabel()->font());
        QVERIFY(fm.boundingRect(w->messageLabel()->text()).width() <= w->messageLabel()->width());
        QVERIFY(fm.height() <= w->messageLabel()->height());
        QVERIFY(w->okButton()->sizeHint().width() <= w->okButton()->width());
        QVERIFY(w->okButton()->sizeHint().height() <= w->okButton()->height());
        w->close();
    }

    // Centred horizontally, its middle at 42.5 % of the screen height, as
    // placed when it loads (before the window manager adds a frame).
    void centred()
    {
        AlarmTestState t;
        t.windows.showNotice();
        AlarmNotice* w = t.windows.notice();
        QVERIFY(w);
        const QRect screen = w->screen()->geometry();
        const int twipsLeft = screen.width() * 15 / 2 - 220 * 15 / 2;
        const int twipsTop = qRound(screen.height() * 15 * 0.85) / 2 - 110 * 15 / 2;
        QCOMPARE(w->pos(), screen.topLeft() + QPoint(twipsLeft / 15, twipsTop / 15));
        w->close();
    }

    void okAcknowledges()
    {
        AlarmTestState t;
        t.ringAlarm();
        AlarmNotice* w = t.windows.notice();
        QVERIFY(w);
        QVERIFY(t.sound.isPlaying());
        QTest::mouseClick(w->okButton(), Qt::LeftButton);
        QCOMPARE(t.core.alarm().state(), AlarmState::Acknowledged);
        QVERIFY(!t.sound.isPlaying());
        QCOMPARE(t.sound.stopCount(), 1);
        QTRY_VERIFY(!t.windows.notice());
    }

    void keysOnTheNotice_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("acknowledges");
        QTest::newRow("space presses O K") << int(Qt::Key_Space) << true;
        QTest::newRow("return presses O K") << int(Qt::Key_Return) << true;
        // Escape must not hide a ringing alarm.
        QTest::newRow("escape does nothing") << int(Qt::Key_Escape) << false;
    }
    void keysOnTheNotice()
    {
        QFETCH(int, key);
        QFETCH(bool, acknowledges);
        AlarmTestState t;
        t.ringAlarm();
        AlarmNotice* w = t.windows.notice();
        QVERIFY(w);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), w->okButton());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        if (acknowledges) {
            QCOMPARE(t.core.alarm().state(), AlarmState::Acknowledged);
            QTRY_VERIFY(!t.windows.notice());
        } else {
            flushDeletes();
            QCOMPARE(t.core.alarm().state(), AlarmState::Ringing);
            QVERIFY(!!t.windows.notice());
            QVERIFY(w->isVisible());
            w->close();
        }
    }

    // Closing it another way leaves the alarm ringing.
    void closedOtherwise()
    {
        AlarmTestState t;
        t.ringAlarm();
        QVERIFY(t.windows.notice());
        QVERIFY(t.windows.notice()->close());
        QTRY_VERIFY(!t.windows.notice());
        QCOMPARE(t.core.alarm().state(), AlarmState::Ringing);
        QCOMPARE(t.sound.stopCount(), 0);
    }

    // At most one notice: showing again keeps the same window.
    void oneNotice()
    {
        AlarmTestState t;
        t.windows.showNotice();
        AlarmNotice* first = t.windows.notice();
        QVERIFY(first);
        first->move(10, 20);
        t.windows.showNotice();
        t.windows.showNotice();
        QCOMPARE(t.windows.notice(), first);
        QCOMPARE(visibleNotices(), 1);
        QCOMPARE(first->pos(), QPoint(10, 20));
        first->close();
        QTRY_VERIFY(!t.windows.notice());
        t.windows.showNotice();
        QVERIFY(t.windows.notice());
        QCOMPARE(visibleNotices(), 1);
        t.windows.notice()->close();
    }
};

QTEST_MAIN(TestFrmMessage)
#include "tst_AlarmNotice.moc"
