// Reading a skin's description: keys, defaults, numbers, file names.
#include "skin/SkinFiles.h"
#include "skin/SkinReader.h"
#include "tests/support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QString Section = QStringLiteral("Marvane Glimmora");

// Every key of the format, with the value each test row expects to read back.
const QStringList RectKeys{"Digit1", "Digit2",      "Digit3",  "Digit4", "Digit5",
                           "Digit6", "PowerSwitch", "StandBy", "Alarm"};
const QStringList Sides{"_Top", "_Left", "_Width", "_Height"};

std::array<const SkinRect*, 9> rectsOf(const SkinDescription& d)
{
    return {&d.digit[0], &d.digit[1],    &d.digit[2], &d.digit[3], &d.digit[4],
            &d.digit[5], &d.powerSwitch, &d.standBy,  &d.alarm};
}

std::array<SkinNumber, 4> sidesOf(const SkinRect& r)
{
    return {r.top, r.left, r.width, r.height};
}

} // namespace

Q_DECLARE_METATYPE(SkinNumber)

class SkinReaderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void skinNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<SkinNumber>("value");
        const SkinNumber none;
        QTest::newRow("fraction") << "12.5" << SkinNumber(12.5f);
        QTest::newRow("decimal comma") << "12,5" << SkinNumber(12.0f);
        QTest::newRow("NaN is not a number") << "NaN" << SkinNumber(0.0f);
        QTest::newRow("1e30 fits a single") << "1e30" << SkinNumber(1e30f);
        QTest::newRow("1e39 does not") << "1e39" << none;
        QTest::newRow("-1e39 does not") << "-1e39" << none;
        QTest::newRow("beyond a double") << "1e400" << none;
        QTest::newRow("3000 digits") << QString(3000, u'9') << none;
        QTest::newRow("single precision") << "0.1" << SkinNumber(0.1f);
    }

    void skinNumber()
    {
        QFETCH(QString, text);
        QFETCH(SkinNumber, value);
        const SkinNumber got = ::skinNumber(text);
        QCOMPARE(got.has_value(), value.has_value());
        if (value) {
            QCOMPARE(*got, *value);
        }
    }

    void toPixels_data()
    {
        QTest::addColumn<SkinNumber>("value");
        QTest::addColumn<int>("pixels"); // -99999: the step fails
        QTest::newRow("whole") << SkinNumber(113.0f) << 113;
        QTest::newRow("12.5 to even") << SkinNumber(12.5f) << 12;
        QTest::newRow("13.5 to even") << SkinNumber(13.5f) << 14;
        QTest::newRow("-2.5 to even") << SkinNumber(-2.5f) << -2;
        QTest::newRow("largest") << SkinNumber(32767.0f) << 32767;
        QTest::newRow("32767.5 rounds out") << SkinNumber(32767.5f) << -99999;
        QTest::newRow("-32768.5 rounds in") << SkinNumber(-32768.5f) << -32768;
        QTest::newRow("-32769") << SkinNumber(-32769.0f) << -99999;
        QTest::newRow("1e30") << SkinNumber(1e30f) << -99999;
        QTest::newRow("unreadable") << SkinNumber() << -99999;
    }

    void toPixels()
    {
        QFETCH(SkinNumber, value);
        QFETCH(int, pixels);
        const std::optional<int> got = ::toPixels(value);
        QCOMPARE(got.value_or(-99999), pixels);
    }

    void everyKeyIsRead()
    {
        QByteArray ini = "[Marvane Glimmora]\r\nWidth=301\r\nHeight=302\r\n";
        int n = 1000;
        for (const QString& prefix : RectKeys) {
            for (const QString& side : Sides) {
                ini += (prefix + side + QStringLiteral("=%1\r\n").arg(n++)).toLatin1();
            }
        }
        for (int i = 1; i <= 6; ++i) {
            ini += QStringLiteral("Digit%1_File=strip%1.png\r\n").arg(i).toLatin1();
        }
        const QString file = m_dir.filePath("all/SkinFile.ini");
        QVERIFY(writeFile(file, ini));

        const SkinDescription d = readSkinDescription(file, Section);
        QCOMPARE(d.width.value_or(-1), 301.0f);
        QCOMPARE(d.height.value_or(-1), 302.0f);
        n = 1000;
        int keys = 2;
        for (const SkinRect* r : rectsOf(d)) {
            for (const SkinNumber& v : sidesOf(*r)) {
                QCOMPARE(v.value_or(-1), static_cast<float>(n++));
                ++keys;
            }
        }
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(d.digitFile[static_cast<std::size_t>(i)],
                     QStringLiteral("strip%1.png").arg(i + 1));
            ++keys;
        }
        QCOMPARE(keys, 44);
    }

    void missingFileGivesTheDefaults()
    {
        const SkinDescription d = readSkinDescription(m_dir.filePath("none/SkinFile.ini"), Section);
        QCOMPARE(d.width.value_or(-1), 0.0f);
        QCOMPARE(d.height.value_or(-1), 0.0f);
        for (const SkinRect* r : rectsOf(d)) {
            for (const SkinNumber& v : sidesOf(*r)) {
                QCOMPARE(v.value_or(-1), 0.0f);
            }
        }
        QCOMPARE(d.digitFile, DefaultDigitFiles);
        QCOMPARE(d.digitFile[5], QStringLiteral("5.bmp"));
    }

    void defaultsAndMatching()
    {
        const QString file = m_dir.filePath("partial/SkinFile.ini");
        QVERIFY(writeFile(file, "[Other]\n"
                                "Width=999\n"
                                "[marvane glimmora]\n"
                                "digit1_top=17\n"
                                "DIGIT1_LEFT = 18.5 \n"
                                "Digit3_File=\n"
                                "Digit1_File=\"one.bmp\"\n"
                                "Digit2_Width=12,5\n"
                                "[Another]\n"
                                "Height=999\n"));
        const SkinDescription d = readSkinDescription(file, Section);
        QCOMPARE(d.width.value_or(-1), 0.0f);
        QCOMPARE(d.height.value_or(-1), 0.0f);
        QCOMPARE(d.digit[0].top.value_or(-1), 17.0f);
        QCOMPARE(d.digit[0].left.value_or(-1), 18.5f);
        QCOMPARE(d.digit[1].width.value_or(-1), 12.0f);
        QCOMPARE(d.digitFile[0], QStringLiteral("one.bmp"));
        QCOMPARE(d.digitFile[2], QStringLiteral("3.bmp"));
        QCOMPARE(d.digitFile[5], QStringLiteral("5.bmp"));
    }

    void overflowingValuesStayUnreadable()
    {
        const QString file = m_dir.filePath("bad/SkinFile.ini");
        QVERIFY(writeFile(file, "[Marvane Glimmora]\nWidth=1e39\nHeight=-1e300\nDigit1_Top=1e30\n"
                                "Digit1_Left=" +
                                    QByteArray(3000, '7') + "\nDigit1_Width=NaN\n"));
        const SkinDescription d = readSkinDescription(file, Section);
        QVERIFY(!d.width);
        QVERIFY(!d.height);
        QCOMPARE(d.digit[0].top.value_or(-1), 1e30f);
        QVERIFY(!d.digit[0].left); // the 2047 characters read are still far too large
        QCOMPARE(d.digit[0].width.value_or(-1), 0.0f);
    }

    void fileNames_data()
    {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // relative to the skin; empty: the name as given
        QTest::newRow("exact") << QStringList{"back.bmp"} << "back.bmp"
                               << "back.bmp";
        QTest::newRow("case variant") << QStringList{"Back.BMP"} << "back.bmp"
                                      << "Back.BMP";
        QTest::newRow("description file") << QStringList{"skinfile.ini"} << "SkinFile.ini"
                                          << "skinfile.ini";
        QTest::newRow("exact wins") << QStringList{"Back.bmp", "back.bmp", "BACK.BMP"} << "back.bmp"
                                    << "back.bmp";
        QTest::newRow("first variant in name order")
            << QStringList{"bACK.bmp", "Back.bmp"} << "back.BMP"
            << "Back.bmp";
        QTest::newRow("backslash is a folder") << QStringList{"digits/one.bmp"} << "digits\\one.bmp"
                                               << "digits/one.bmp";
        QTest::newRow("folder and file in other case")
            << QStringList{"Digits/One.BMP"} << "digits\\one.bmp"
            << "Digits/One.BMP";
        QTest::newRow("missing file") << QStringList{"back.bmp"} << "front.bmp"
                                      << "";
        QTest::newRow("missing folder") << QStringList{"a/x.bmp"} << "b\\x.bmp"
                                        << "";
        QTest::newRow("umlaut in other case")
            << QStringList{QStringLiteral("Ziffer_Ä.bmp")} << QStringLiteral("ziffer_ä.bmp")
            << QStringLiteral("Ziffer_Ä.bmp");
    }

    void fileNames()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, name);
        QFETCH(QString, found);
        QTemporaryDir skin;
        for (const QString& file : onDisk) {
            QVERIFY(writeFile(skin.filePath(file), "x"));
        }
        const QString dir = skin.path() + u'/';
        const QString expected =
            found.isEmpty() ? dir + QString(name).replace(u'\\', u'/') : dir + found;
        QCOMPARE(skinFilePath(dir, name), expected);
    }
};

QTEST_GUILESS_MAIN(SkinReaderTest)
#include "tst_SkinReader.moc"
