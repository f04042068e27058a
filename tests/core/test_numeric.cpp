#include "core/NumericValue.h"

#include <QTest>
#include <cmath>

class NumericTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "113" << 113.0;
        QTest::newRow("leading blank") << " 113" << 113.0;
        QTest::newRow("blanks inside") << "1 2\t3\n4" << 1234.0;
        QTest::newRow("trailing letters") << "120abc" << 120.0;
        QTest::newRow("fraction") << "12.5" << 12.5;
        QTest::newRow("decimal comma stops") << "12,5" << 12.0;
        QTest::newRow("comma before exponent") << "1,5E3" << 1.0;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("lower-case exponent") << "2e2" << 200.0;
        QTest::newRow("signed exponent") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "7E" << 7.0;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("negative") << "-4" << -4.0;
        QTest::newRow("plus sign") << "+8" << 8.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("no number") << "x7" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("hex") << "&H78" << 120.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("hex 16-bit wraps to negative") << "&HFFFF" << -1.0;
        QTest::newRow("hex 32-bit") << "&H10000" << 65536.0;
        QTest::newRow("hex stops at non-digit") << "&H1G" << 1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O18" << 1.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("out of 16-bit range still read") << "99999" << 99999.0;
        QTest::newRow("NaN text") << "NaN" << 0.0;
        QTest::newRow("underflow") << "1e-999" << 0.0;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(leadingNumber(text), expected);
    }

    void valOverflowIsNotFinite()
    {
        QVERIFY(std::isinf(leadingNumber(QStringLiteral("1e999"))));
        QVERIFY(leadingNumber(QStringLiteral("-1e999")) < 0);
        QCOMPARE(leadingNumber(QStringLiteral("1e30")), 1e30);
    }

    void valIgnoresLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(leadingNumber(QStringLiteral("1.25")), 1.25);
        QLocale::setDefault(QLocale::c());
    }

    void toInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("in range") << 120.0 << true << 120;
        QTest::newRow("half to even down") << 2.5 << true << 2;
        QTest::newRow("half to even up") << 3.5 << true << 4;
        QTest::newRow("negative half") << -2.5 << true << -2;
        QTest::newRow("max") << 32767.0 << true << 32767;
        QTest::newRow("min") << -32768.0 << true << -32768;
        QTest::newRow("rounds into range") << 32767.4 << true << 32767;
        QTest::newRow("rounds out of range") << 32767.5 << false << 7;
        QTest::newRow("too large") << 99999.0 << false << 7;
        QTest::newRow("too small") << -40000.0 << false << 7;
        QTest::newRow("huge") << 1e30 << false << 7;
        QTest::newRow("infinite") << double(INFINITY) << false << 7;
        QTest::newRow("nan") << double(NAN) << false << 7;
    }
    void toInt16()
    {
        QFETCH(double, value);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        std::int16_t target = 7; // a failed conversion keeps what was there
        QCOMPARE(::toInt16(value, target), ok);
        QCOMPARE(int(target), expected);
    }

    void toInt32KeepsTargetOnOverflow()
    {
        int target = 5;
        QVERIFY(!toInt32(1e30, target));
        QCOMPARE(target, 5);
        QVERIFY(toInt32(-0.5, target));
        QCOMPARE(target, 0);
        QVERIFY(toInt32(1.5, target));
        QCOMPARE(target, 2);
    }
};

QTEST_GUILESS_MAIN(NumericTest)
#include "test_numeric.moc"
