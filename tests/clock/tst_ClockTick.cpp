// The tick's decisions: local time text, which pairs are redrawn, lamps.
#include "core/ClockTick.h"

#include <QTest>
#include <ctime>

class ClockTickTest : public QObject
{
    Q_OBJECT

private:
    // The digits drawn last as the rows give them: seconds, minutes, hours
    // texts; none at all when they are empty.
    static std::optional<TubeDigits> drawn(const QStringList& last)
    {
        const QString text = last[2] + last[1] + last[0];
        if (text.isEmpty()) {
            return std::nullopt;
        }
        TubeDigits digits{};
        for (std::size_t i = 0; i < digits.size(); ++i) {
            digits[i] = static_cast<std::int16_t>(text[qsizetype(i)].digitValue());
        }
        return digits;
    }

    static void setZone(const QByteArray& zone)
    {
        qputenv("TZ", zone);
        tzset();
    }

private slots:
    void cleanup() { setZone("UTC"); }

    void localTimeText_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("instant");
        QTest::addColumn<QString>("text");
        QTest::newRow("epoch") << QByteArray("UTC") << qint64{0} << "00:00:00";
        QTest::newRow("before epoch") << QByteArray("UTC") << qint64{-1} << "23:59:59";
        QTest::newRow("afternoon, leading zeros")
            << QByteArray("UTC") << qint64{1685624399} << "12:59:59"; // 2023-06-01
        // Spring forward 2024-03-31: 01:59:59 CET is followed by 03:00:00 CEST.
        QTest::newRow("last second before spring forward")
            << QByteArray("Europe/Berlin") << qint64{1711846799} << "01:59:59";
        QTest::newRow("first second after spring forward")
            << QByteArray("Europe/Berlin") << qint64{1711846800} << "03:00:00";
        // Fall back 2024-10-27: 02:59:59 CEST is followed by 02:00:00 CET.
        QTest::newRow("last second of summer time")
            << QByteArray("Europe/Berlin") << qint64{1729990799} << "02:59:59";
        QTest::newRow("repeated hour")
            << QByteArray("Europe/Berlin") << qint64{1729990800} << "02:00:00";
        QTest::newRow("POSIX rule") << QByteArray("XYZ-5") << qint64{0} << "05:00:00";
    }

    void localTimeText()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, instant);
        QFETCH(QString, text);
        setZone(zone);
        QCOMPARE(::localTimeText(instant), text);
    }

    void digitValue_data()
    {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<int>("value");
        QTest::newRow("0") << QChar(u'0') << 0;
        QTest::newRow("7") << QChar(u'7') << 7;
        QTest::newRow("9") << QChar(u'9') << 9;
        QTest::newRow("colon") << QChar(u':') << 0;
        QTest::newRow("letter") << QChar(u'a') << 0;
        QTest::newRow("arabic-indic three") << QChar(0x0663) << 0;
    }

    void digitValue()
    {
        QFETCH(QChar, c);
        QFETCH(int, value);
        QCOMPARE(int{::digitValue(c)}, value);
    }

    void planTick_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QStringList>("last"); // seconds, minutes, hours
        QTest::addColumn<QString>("changed");  // pairs redrawn: s, m, h
        QTest::addColumn<QString>("digits");

        const QStringList empty{QString(), QString(), QString()};
        QTest::newRow("first tick after start") << "08:15:42" << empty << "smh"
                                                << "081542";
        QTest::newRow("same second again") << "12:34:56" << QStringList{"56", "34", "12"} << ""
                                           << "123456";
        QTest::newRow("next second") << "12:34:56" << QStringList{"55", "34", "12"} << "s"
                                     << "123456";
        QTest::newRow("next minute") << "12:35:00" << QStringList{"59", "34", "12"} << "sm"
                                     << "123500";
        QTest::newRow("12:59:59 to 13:00:00")
            << "13:00:00" << QStringList{"59", "59", "12"} << "smh"
            << "130000";
        QTest::newRow("repeated hour of a clock change")
            << "02:00:00" << QStringList{"59", "59", "02"} << "sm"
            << "020000";
        QTest::newRow("minute changed, seconds equal")
            << "10:01:05" << QStringList{"05", "00", "10"} << "m"
            << "100105";
        QTest::newRow("non-digits count as 0") << "1x:2 :?4" << QStringList{"", "", ""} << "smh"
                                               << "102004";
    }

    void planTick()
    {
        QFETCH(QString, time);
        QFETCH(QStringList, last);
        QFETCH(QString, changed);
        QFETCH(QString, digits);
        const TickPlan plan = ::planTick(time, drawn(last));
        QCOMPARE(plan.seconds().toString(), time.mid(6, 2));
        QCOMPARE(plan.minutes().toString(), time.mid(3, 2));
        QCOMPARE(plan.hours().toString(), time.mid(0, 2));
        QCOMPARE(plan.secondsChanged, changed.contains(u's'));
        QCOMPARE(plan.minutesChanged, changed.contains(u'm'));
        QCOMPARE(plan.hoursChanged, changed.contains(u'h'));
        QCOMPARE(plan.lampsLit(), plan.secondsChanged);
        QString shown;
        for (std::int16_t d : plan.digits) {
            shown += QString::number(d);
        }
        QCOMPARE(shown, digits);
    }
};

QTEST_GUILESS_MAIN(ClockTickTest)
#include "tst_ClockTick.moc"
