#include "clock/DateText.h"

#include <QLocale>
#include <QTest>

// The tooltip's date is German whatever the system's locale is.
class TestDateText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void germanDate_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("text");
        QTest::newRow("2026-12-08") << QDate(2026, 12, 8) << "Dienstag, 8. Dezember 2026";
        QTest::newRow("2027-03-01") << QDate(2027, 3, 1) << "Montag, 1. März 2027";
        QTest::newRow("2028-02-29") << QDate(2028, 2, 29) << "Dienstag, 29. Februar 2028";
        QTest::newRow("2030-01-13") << QDate(2030, 1, 13) << "Sonntag, 13. Januar 2030";
    }
    void germanDate()
    {
        QFETCH(QDate, day);
        QFETCH(QString, text);
        QCOMPARE(germanDateText(day), text);
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_DateText.moc"
