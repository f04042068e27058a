// Names and choices of the pictures drawn at twice the size.
#include "core/DoubledPictures.h"

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
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(QString, doubled);
        QCOMPARE(doubledName(name), doubled);
    }

    void choice()
    {
        QCOMPARE(choosePicture(1.0, true), PictureChoice::Picture);
        QCOMPARE(choosePicture(2.0, false), PictureChoice::Picture);
        QCOMPARE(choosePicture(qQNaN(), true), PictureChoice::Picture);
        QCOMPARE(choosePicture(2.0, true), PictureChoice::Doubled);
        QCOMPARE(choosePicture(1.25, true), PictureChoice::DoubledScaled);
    }
};

QTEST_GUILESS_MAIN(DoubledPicturesTest)
#include "tst_DoubledPictures.moc"
