// The date the clock shows to the pointer: German whatever the system's
// locale is, and worked out at each showing, so after midnight the new day.
#include "app/Windows.h"
#include "clock/ClockWindow.h"
#include "tests/clock/ClockFixture.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QLocale>
#include <QTest>
#include <QToolTip>
#include <memory>

class TestDateTooltip : public QObject
{
    Q_OBJECT
    std::unique_ptr<ClockFixture> m_f;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_f = std::make_unique<ClockFixture>();
        ClockWindow& clock = m_f->windows.clock();
        clock.loadFace();
        clock.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clock));
    }
    void cleanupTestCase() { m_f.reset(); }

    // Rows by local time; all asked of one clock, in this order, on a tube:
    // the question goes up to the clock.
    void tooltipShowsTheDate_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("text");
        const auto at = [](int y, int m, int d, int h, int min, int s) {
            return QDateTime(QDate(y, m, d), QTime(h, min, s));
        };
        QTest::newRow("2026-12-08 23:59:59")
            << at(2026, 12, 8, 23, 59, 59) << "Dienstag, 8. Dezember 2026";
        QTest::newRow("2026-12-09 00:00:00")
            << at(2026, 12, 9, 0, 0, 0) << "Mittwoch, 9. Dezember 2026";
        QTest::newRow("2027-03-01 12:00:00") << at(2027, 3, 1, 12, 0, 0) << "Montag, 1. März 2027";
        QTest::newRow("2028-02-29 07:30:00")
            << at(2028, 2, 29, 7, 30, 0) << "Dienstag, 29. Februar 2028";
    }
    void tooltipShowsTheDate()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, text);
        m_f->now = now.toSecsSinceEpoch();
        QWidget* tube = m_f->windows.clock().tubes()[2];
        QHelpEvent ask(QEvent::ToolTip, QPoint(3, 3), tube->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(tube, &ask);
        QCOMPARE(QToolTip::text(), text);
        QToolTip::hideText();
    }
};

QTEST_MAIN(TestDateTooltip)
#include "tst_DateTooltip.moc"
