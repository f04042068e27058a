#include "core/CenterMath.h"
#include "core/Paths.h"
#include "tests/support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class PathsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addBackslash_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("root unchanged") << "/"
                                        << "/";
        QTest::newRow("appends") << "/opt/prog"
                                 << "/opt/prog/";
        QTest::newRow("already ends") << "/opt/prog/"
                                      << "/opt/prog/";
        QTest::newRow("empty") << ""
                               << "/";
    }
    void addBackslash()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QString path = in;
        QCOMPARE(ensureTrailingSlash(path), out);
        QCOMPARE(path, out); // changed in place
    }

    void settingsFileName_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::newRow("no extension") << "/opt/g/glimmora"
                                      << "glimmora";
        QTest::newRow("upper-case extension") << "/opt/g/Clock.EXE"
                                              << "Clock";
        QTest::newRow("dots in name") << "/opt/g/my.clock.bin"
                                      << "my.clock";
    }
    void settingsFileName()
    {
        QFETCH(QString, program);
        QFETCH(QString, name);
        QCOMPARE(exeNameOf(program), name);
    }

    void centerForm_data()
    {
        QTest::addColumn<double>("sw");
        QTest::addColumn<double>("sh");
        QTest::addColumn<double>("ww");
        QTest::addColumn<double>("wh");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("worked example")
            << 15360.0 << 11520.0 << 6000.0 << 3000.0 << QPoint(4680, 3396);
        QTest::newRow("taller than 85 %")
            << 15360.0 << 11520.0 << 6000.0 << 20000.0 << QPoint(4680, 0);
        QTest::newRow("wider than screen")
            << 15360.0 << 11520.0 << 40000.0 << 3000.0 << QPoint(0, 3396);
        // 1280 x 1024 pixels, the built-in face: 13056 \ 2 - 3510 \ 2 = 6528 - 1755
        QTest::newRow("built-in face")
            << 19200.0 << 15360.0 << 6900.0 << 3510.0 << QPoint(6150, 4773);
    }
    void centerForm()
    {
        QFETCH(double, sw);
        QFETCH(double, sh);
        QFETCH(double, ww);
        QFETCH(double, wh);
        QFETCH(QPoint, topLeft);
        QCOMPARE(centeredTopLeftTwips(sw, sh, ww, wh), topLeft);
    }

    void halving()
    {
        QCOMPARE(halfOf(9792.0), 4896LL);
        QCOMPARE(halfOf(2.5), 1LL);   // rounds to 2 first
        QCOMPARE(halfOf(3.5), 2LL);   // rounds to 4 first
        QCOMPARE(halfOf(-3.0), -1LL); // towards zero
        QCOMPARE(twipsToPixels(4773), 318);
        QCOMPARE(twipsToPixels(-1500), -100);
        QCOMPARE(twipsToPixels(1e30), 0);
    }
};

QTEST_GUILESS_MAIN(PathsTest)
#include "test_paths.moc"
