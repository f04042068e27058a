// Names and choices of the pictures drawn at twice the size.
#include "skin/DoubledPictures.h"

#include <QTest>

class DoubledPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("doubled");
        QTest::newRow("face") << "back.bmp"
                              << "back@2x.bmp";
        QTest::newRow("sub-folder") << "strips\\hours.bmp"
                                    << "strips\\hours@2x.bmp";
        QTest::newRow("dotted folder") << "v1.2/strip"
                                       << "v1.2/strip@2x";
        QTest::newRow("two dots") << "a.b.bmp"
                                  << "a.b@2x.bmp";
        QTest::newRow("hidden file") << "sub/.strip"
                                     << "sub/.strip@2x";
        QTest::newRow("empty") << ""
                               << "@2x";
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, doubled);
        QCOMPARE(doubledName(name), doubled);
    }

    void belongsOnlyAtTwiceTheSize_data()
    {
        QTest::addColumn<QSize>("doubled");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("belongs");
        QTest::newRow("twice") << QSize(920, 468) << QSize(460, 234) << true;
        QTest::newRow("same size") << QSize(460, 234) << QSize(460, 234) << false;
        QTest::newRow("one pixel short") << QSize(919, 468) << QSize(460, 234) << false;
        QTest::newRow("three times") << QSize(1380, 702) << QSize(460, 234) << false;
        QTest::newRow("no picture") << QSize(0, 0) << QSize(0, 0) << false;
    }

    void belongsOnlyAtTwiceTheSize()
    {
        QFETCH(QSize, doubled);
        QFETCH(QSize, picture);
        QFETCH(bool, belongs);
        QCOMPARE(isDoubleOf(doubled, picture), belongs);
    }

    void choice_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("haveDoubled");
        QTest::addColumn<PictureChoice>("choice");
        QTest::newRow("1") << 1.0 << true << PictureChoice::Picture;
        QTest::newRow("0.75") << 0.75 << true << PictureChoice::Picture;
        QTest::newRow("2") << 2.0 << true << PictureChoice::Doubled;
        QTest::newRow("2 without companion") << 2.0 << false << PictureChoice::Picture;
        QTest::newRow("1.25") << 1.25 << true << PictureChoice::DoubledScaled;
        QTest::newRow("3") << 3.0 << true << PictureChoice::DoubledScaled;
        QTest::newRow("NaN") << qQNaN() << true << PictureChoice::Picture;
    }

    void choice()
    {
        QFETCH(double, ratio);
        QFETCH(bool, haveDoubled);
        QFETCH(PictureChoice, choice);
        QCOMPARE(choosePicture(ratio, haveDoubled), choice);
    }
};

QTEST_GUILESS_MAIN(DoubledPicturesTest)
#include "tst_DoubledPictures.moc"
