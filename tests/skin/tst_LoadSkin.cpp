// Loading skins into the clock window, and the window that results: layout,
// pictures, window size and shape, and skins that are broken in every way.
#include "clock/ClockWindow.h"
#include "skin/PictureLoader.h"
#include "skin/SkinLoader.h"
#include "tests/clock/ClockFixture.h"
#include "tests/support/Files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QtEndian>

namespace {

const QRgb Mask = qRgb(0, 0, 40);

// A face: mask-coloured surroundings around a device of `device` in `size`.
QImage makeFace(QSize size, QRect device, QRgb body = qRgb(120, 80, 40))
{
    QImage face(size, QImage::Format_RGB32);
    face.fill(Mask);
    QPainter(&face).fillRect(device, QColor(body));
    return face;
}

// The shape given to the clock's native window.
QRegion nativeShape(const QWidget& w)
{
    return w.windowHandle() ? w.windowHandle()->mask() : QRegion();
}

// The header of a 24-bit BMP claiming `w` × `h`, followed by `pixelBytes`.
QByteArray bmpHeader(qint32 w, qint32 h, int pixelBytes)
{
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) { qToLittleEndian(v, b.data() + at); };
    auto put16 = [&b](int at, quint16 v) { qToLittleEndian(v, b.data() + at); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<quint32>(54 + pixelBytes));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<quint32>(w));
    put32(22, static_cast<quint32>(h));
    put16(26, 1);
    put16(28, 24);
    return b + QByteArray(pixelBytes, '\x55');
}

// An 8-bit run-length BMP claiming `w` × `h` whose data ends at once: a few
// bytes that decode to the whole claimed picture.
QByteArray rle8Claim(qint32 w, qint32 h)
{
    QByteArray b = bmpHeader(w, h, 0).left(54);
    qToLittleEndian(quint16(8), b.data() + 28);
    qToLittleEndian(quint32(1), b.data() + 30); // run-length, 8 bits
    qToLittleEndian(quint32(2), b.data() + 46); // two palette entries
    qToLittleEndian(quint32(54 + 8), b.data() + 10);
    b += QByteArray("\x10\x20\x30\0\xff\xff\xff\0", 8) + QByteArray("\0\1", 2);
    qToLittleEndian(quint32(b.size()), b.data() + 2);
    return b;
}

// A built-in picture as the window keeps it.
QImage builtin(const QString& name)
{
    return toScreenFormat(QImage(QStringLiteral(":/builtin/") + name));
}

} // namespace

class LoadSkinTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ClockFixture> f;
    ClockWindow* clock = nullptr;

    QString skinDir(const QString& name = QStringLiteral("Test")) const
    {
        return m_dir->path() + QStringLiteral("/Skins/") + name + u'/';
    }

    void writeIni(const QByteArray& body, const QString& file = QStringLiteral("SkinFile.ini"))
    {
        QVERIFY(writeFile(skinDir() + file, "[Marvane Glimmora]\r\n" + body));
    }

    void writeRaw(const QString& file, const QByteArray& bytes)
    {
        QVERIFY(writeFile(skinDir() + file, bytes));
    }

    void writePicture(const QString& file, const QImage& picture)
    {
        QDir().mkpath(QFileInfo(skinDir() + file).absolutePath());
        QVERIFY(picture.save(skinDir() + file, "BMP"));
    }

    // A skin lacking a picture is not used: each of back.bmp and the default
    // strips that the test did not write (in any letter case) is a built-in copy.
    void completeWithBuiltins()
    {
        QDir().mkpath(skinDir());
        for (const char* name : {"back", "1", "2", "3", "4", "5"}) {
            const QString file = QStringLiteral("%1.bmp").arg(QLatin1String(name));
            if (QDir(skinDir()).entryList({file}, QDir::AllEntries).isEmpty()) {
                QVERIFY(QFile::copy(QStringLiteral(":/builtin/") + file, skinDir() + file));
            }
        }
    }

    void load(const QString& name = QStringLiteral("Test"), bool complete = true)
    {
        if (complete) {
            completeWithBuiltins();
        }
        f->core.setSkinName(name);
        clock->loadFace();
    }

    // The window's shape as a set of pixels of its rectangle.
    QRegion shape() const { return nativeShape(*clock) & clock->rect(); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        f = std::make_unique<ClockFixture>();
        f->state.skinsDir = m_dir->path() + QStringLiteral("/Skins/");
        clock = f->own(new ClockWindow(f->state, f->core));
    }

    void cleanup()
    {
        f.reset();
        m_dir.reset();
    }

    void skinLayoutAndPictures()
    {
        writeIni("Width=300\r\nHeight=150\r\n"
                 "Digit1_Top=10\r\nDigit1_Left=20\r\nDigit1_Width=11\r\nDigit1_Height=21\r\n"
                 "Digit2_Top=10\r\nDigit2_Left=40\r\nDigit2_Width=11\r\nDigit2_Height=21\r\n"
                 "Digit3_Top=10.5\r\nDigit3_Left=60.5\r\nDigit3_Width=11\r\nDigit3_Height=21\r\n"
                 "Digit4_Top=-5\r\nDigit4_Left=-7\r\nDigit4_Width=11\r\nDigit4_Height=21\r\n"
                 "Digit5_Top=12\r\nDigit5_Left=100\r\nDigit5_Width=8\r\nDigit5_Height=15\r\n"
                 "Digit6_Top=12\r\nDigit6_Left=110\r\nDigit6_Width=8\r\nDigit6_Height=15\r\n"
                 "Digit1_File=sub\\hours.bmp\r\n"
                 "PowerSwitch_Top=1\r\nPowerSwitch_Left=2\r\nPowerSwitch_Width=3\r\n"
                 "PowerSwitch_Height=4\r\n"
                 "StandBy_Top=5\r\nStandBy_Left=6\r\nStandBy_Width=7\r\nStandBy_Height=8\r\n"
                 "Alarm_Top=9\r\nAlarm_Left=10\r\nAlarm_Width=11\r\nAlarm_Height=12\r\n");
        const QImage face = makeFace(QSize(320, 140), QRect(10, 5, 280, 120));
        writePicture(QStringLiteral("back.bmp"), face);
        const QImage hours = makeStrip(3, 11, 21);
        writePicture(QStringLiteral("sub/hours.bmp"), hours);
        writePicture(QStringLiteral("2.bmp"), makeStrip(10, 11, 21));
        writePicture(QStringLiteral("5.bmp"), makeStrip(10, 8, 15));
        writePicture(QStringLiteral("back@2x.bmp"),
                     makeFace(QSize(640, 280), QRect(20, 10, 560, 240)));
        f->core.tick(QStringLiteral("12:34:56"));
        load();
        // Companions are read for a dense screen only.
        QVERIFY(LoadSkin(f->state, skinDir(), false).faceAt2x.isNull());
        QCOMPARE(LoadSkin(f->state, skinDir(), true).faceAt2x.size(), QSize(640, 280));

        QCOMPARE(LoadSkin(f->state, skinDir(), false).filePath,
                 skinDir() + QStringLiteral("SkinFile.ini"));
        QCOMPARE(clock->face()->geometry(), QRect(0, 0, 300, 150));
        QCOMPARE(clock->tubes()[0]->geometry(), QRect(20, 10, 11, 21));
        QCOMPARE(clock->tubes()[1]->geometry(), QRect(40, 10, 11, 21));
        QCOMPARE(clock->tubes()[2]->geometry(), QRect(60, 10, 11, 21)); // halves to even
        QCOMPARE(clock->tubes()[3]->geometry(), QRect(-7, -5, 11, 21));
        QCOMPARE(clock->tubes()[4]->geometry(), QRect(100, 12, 8, 15));
        QCOMPARE(clock->tubes()[5]->geometry(), QRect(110, 12, 8, 15));
        QCOMPARE(clock->powerSwitch()->geometry(), QRect(2, 1, 3, 4));
        QCOMPARE(clock->standbySwitches()[0]->geometry(), QRect(6, 5, 7, 8));
        QCOMPARE(clock->standbySwitches()[1]->geometry(), QRect(6, 5, 7, 8));
        QCOMPARE(clock->alarmTestArea()->geometry(), QRect(10, 9, 11, 12));

        QCOMPARE(clock->face()->image(), face);
        QCOMPARE(clock->digitStrip(0), hours);
        QCOMPARE(clock->digitStrip(4), clock->digitStrip(5)); // both from 5.bmp
        QCOMPARE(clock->digitStrip(4).size(), QSize(80, 15));
        QCOMPARE(clock->digitStrip(2), builtin(QStringLiteral("3.bmp")));

        // The window is the picture's size, not Width × Height, and has its shape.
        QCOMPARE(clock->size(), QSize(320, 140));
        QVERIFY(shape().xored(QRegion(10, 5, 280, 120)).isEmpty());
        QVERIFY(clock->autoFillBackground()); // the face area leaves part of the window

        QVERIFY(!f->core.drawnDigits());

        f->now = 12 * 3600 + 34 * 60 + 56; // 12:34:56 UTC
        qputenv("TZ", "UTC");
        tzset();
        clock->tick();
        QVERIFY(showsCell(clock->tubes()[0]->image(), 1));
        QVERIFY(showsCell(clock->tubes()[1]->image(), 2));
        QVERIFY(showsCell(clock->tubes()[4]->image(), 5));
        QVERIFY(showsCell(clock->tubes()[5]->image(), 6));
    }

    void windowsNamesInAnyCase()
    {
        QDir().mkpath(skinDir());
        QFile ini(skinDir() + QStringLiteral("skinfile.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[MARVANE GLIMMORA]\r\nwidth=50\r\nHEIGHT=40\r\nDigit2_File=Strips\\Two.Bmp\r\n");
        ini.close();
        writePicture(QStringLiteral("Back.BMP"), makeFace(QSize(50, 40), QRect(0, 0, 50, 40)));
        writePicture(QStringLiteral("strips/two.bmp"), makeStrip(10, 4, 4));
        load();
        QCOMPARE(LoadSkin(f->state, skinDir(), false).filePath,
                 skinDir() + QStringLiteral("skinfile.INI"));
        QCOMPARE(clock->face()->size(), QSize(50, 40));
        QCOMPARE(clock->size(), QSize(50, 40));
        QCOMPARE(clock->digitStrip(1), makeStrip(10, 4, 4));
    }

    void sizesRefusedAndApplied_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QRect>("tube"); // picTube(0) afterwards; built-in 113,114 19×34
        QTest::newRow("negative width refused")
            << QByteArray("Digit1_Top=3\nDigit1_Left=4\nDigit1_Width=-5\nDigit1_Height=6\n")
            << QRect(4, 3, 19, 6);
        QTest::newRow("negative height refused")
            << QByteArray("Digit1_Top=3\nDigit1_Left=4\nDigit1_Width=5\nDigit1_Height=-0.6\n")
            << QRect(4, 3, 5, 34);
        QTest::newRow("minus a half rounds to zero and is applied")
            << QByteArray("Digit1_Top=3\nDigit1_Left=4\nDigit1_Width=-0.5\nDigit1_Height=6\n")
            << QRect(4, 3, 0, 6);
        QTest::newRow("zero applied")
            << QByteArray("Digit1_Width=0\nDigit1_Height=0\n") << QRect(0, 0, 0, 0);
        QTest::newRow("1e30 keeps every side")
            << QByteArray("Digit1_Top=1e30\nDigit1_Left=1e30\nDigit1_Width=1e30\n"
                          "Digit1_Height=1e30\n")
            << QRect(113, 114, 19, 34);
        QTest::newRow("-1e30 keeps every side")
            << QByteArray("Digit1_Top=-1e30\nDigit1_Left=-1e30\nDigit1_Width=-1e30\n"
                          "Digit1_Height=-1e30\n")
            << QRect(113, 114, 19, 34);
        QTest::newRow("NaN text is 0")
            << QByteArray("Digit1_Top=NaN\nDigit1_Left=NaN\nDigit1_Width=NaN\nDigit1_Height=7\n")
            << QRect(0, 0, 0, 7);
        QTest::newRow("3000 characters keep the side")
            << QByteArray("Digit1_Top=" + QByteArray(3000, '8') + "\nDigit1_Left=9\n" +
                          "Digit1_Width=" + QByteArray(3000, '1') +
                          "\nDigit1_Height=" + QByteArray(3000, 'z') + "\n")
            << QRect(9, 114, 19, 0);
        QTest::newRow("decimal commas lose the fraction")
            << QByteArray("Digit1_Top=12,9\nDigit1_Left=1,5\nDigit1_Width=19,99\n"
                          "Digit1_Height=34,1\n")
            << QRect(1, 12, 19, 34);
        QTest::newRow("just outside the 16-bit range")
            << QByteArray("Digit1_Top=-32769\nDigit1_Left=32767.5\nDigit1_Width=40000\n"
                          "Digit1_Height=32767\n")
            << QRect(113, 114, 19, 32767);
    }

    void sizesRefusedAndApplied()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QRect, tube);
        writeIni(keys);
        load();
        QCOMPARE(clock->tubes()[0]->geometry(), tube);
        // Nothing else stops loading: the other tubes take their (zero) values.
        QCOMPARE(clock->tubes()[1]->geometry(), QRect(0, 0, 0, 0));
    }

    void secondStandbyAreaCopiesTheFirst()
    {
        writeIni("StandBy_Top=-3\nStandBy_Left=1e39\nStandBy_Width=-9\nStandBy_Height=2.5\n");
        load();
        // Left and width refused: the built-in 101 and 30 stay, and are copied.
        QCOMPARE(clock->standbySwitches()[0]->geometry(), QRect(101, -3, 30, 2));
        QCOMPARE(clock->standbySwitches()[1]->geometry(), clock->standbySwitches()[0]->geometry());
    }

    void noSkinNameLoadsNothing()
    {
        f->core.setSkinName(QString());
        const QRect tube0 = clock->tubes()[0]->geometry();
        f->core.tick(QStringLiteral("12:34:56"));
        clock->loadFace();
        QCOMPARE(clock->tubes()[0]->geometry(), tube0);
        QCOMPARE(f->core.drawnTimeText(), QStringLiteral("12:34:56"));
        if (!clock->face()->image().isNull()) {
            QCOMPARE(clock->size(), clock->face()->image().size());
        }
    }

    // A skin that cannot be used leaves the whole built-in look, and says why
    // in one line of the skin log.
    void brokenSkins_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("skin folder does not exist") << "nofolder"
                                                    << "no folder of that name";
        QTest::newRow("no SkinFile.ini") << "noini"
                                         << "no skin file";
        QTest::newRow("garbage back.bmp") << "garbage"
                                          << "back.bmp cannot be read";
        QTest::newRow("truncated back.bmp") << "truncated"
                                            << "back.bmp cannot be read";
        QTest::newRow("header claims 100000 × 100000") << "huge"
                                                       << "back.bmp cannot be read";
        QTest::newRow("negative size in the header") << "negative"
                                                     << "back.bmp cannot be read";
        QTest::newRow("empty back.bmp") << "empty"
                                        << "back.bmp cannot be read";
        QTest::newRow("back.bmp is a folder") << "folder"
                                              << "back.bmp cannot be read";
        QTest::newRow("no back.bmp") << "noback"
                                     << "back.bmp is missing";
        QTest::newRow("a strip named by the skin missing") << "nostrip"
                                                           << "six.bmp is missing";
    }

    void brokenSkins()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        const QImage builtinFace = builtin(QStringLiteral("back.bmp"));
        QVERIFY(!builtinFace.isNull());
        ClockFixture plainState;
        ClockWindow plain(plainState.state, plainState.core);
        plain.loadFace();
        if (kind != QStringLiteral("nofolder")) {
            writePicture(QStringLiteral("2.bmp"), makeStrip(10, 19, 34));
            completeWithBuiltins();
        }
        if (kind == QStringLiteral("garbage")) {
            writeRaw(QStringLiteral("back.bmp"), QByteArray(5000, '\x8e'));
        } else if (kind == QStringLiteral("truncated")) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            makeFace(QSize(200, 100), QRect(5, 5, 190, 90)).save(&buffer, "BMP");
            writeRaw(QStringLiteral("back.bmp"), buffer.data().left(54 + 600 * 10));
        } else if (kind == QStringLiteral("huge")) {
            writeRaw(QStringLiteral("back.bmp"), bmpHeader(100000, 100000, 300));
        } else if (kind == QStringLiteral("negative")) {
            writeRaw(QStringLiteral("back.bmp"), bmpHeader(-20, -20, 300));
        } else if (kind == QStringLiteral("empty")) {
            writeRaw(QStringLiteral("back.bmp"), QByteArray());
        } else if (kind == QStringLiteral("folder")) {
            QVERIFY(QFile::remove(skinDir() + QStringLiteral("back.bmp")));
            QDir().mkpath(skinDir() + QStringLiteral("back.bmp"));
        } else if (kind == QStringLiteral("noback")) {
            QVERIFY(QFile::remove(skinDir() + QStringLiteral("back.bmp")));
        }
        if (kind != QStringLiteral("nofolder") && kind != QStringLiteral("noini")) {
            writeIni(kind == QStringLiteral("nostrip")
                         ? "Width=460\nHeight=234\nDigit6_File=six.bmp\n"
                         : "Width=460\nHeight=234\n");
        }
        QLoggingCategory::setFilterRules(QStringLiteral("glimmora.skin.warning=true"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^skin \"Test\" not used.*") +
                                                QRegularExpression::escape(why)));
        load(QStringLiteral("Test"), false);
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(f->core.skinName(), QStringLiteral("Test")); // the stored name stays

        // A partly read picture may pass for a whole one: then the skin is used.
        if (kind == QStringLiteral("truncated") && clock->face()->image() != builtinFace) {
            QCOMPARE(clock->face()->image().size(), QSize(200, 100));
            return;
        }
        QCOMPARE(clock->face()->image(), builtinFace);
        QCOMPARE(clock->size(), plain.size());
        QCOMPARE(nativeShape(*clock), nativeShape(plain));
        for (std::size_t k = 0; k < 6; ++k) {
            QCOMPARE(clock->tubes()[k]->geometry(), plain.tubes()[k]->geometry());
            QCOMPARE(clock->digitStrip(k), plain.digitStrip(k));
        }
        f->now = 3 * 3600 + 4;
        clock->tick();
        QCOMPARE(f->core.drawnTimeText().value_or(QString()), QStringLiteral("03:00:04"));
    }

    // Tiny files that each decode to a picture within the limit of one: past
    // the skin's total, the rest are not read (and the skin is not used).
    void pixelBudgetPerSkin()
    {
        writeIni("Width=100\nHeight=100\n");
        const QByteArray claim = rle8Claim(5600, 5600);
        QVERIFY(claim.size() < 100);
        for (const char* name : {"back.bmp", "1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"}) {
            writeRaw(QString::fromLatin1(name), claim);
        }
        const LoadedSkin skin = LoadSkin(f->state, skinDir(), false);
        QCOMPARE(skin.face.size(), QSize(5600, 5600));
        qint64 decoded = qint64{5600} * 5600;
        for (std::size_t i = 0; i < 6; ++i) {
            const QSize got = skin.strips[i].size();
            QVERIFY2(got == QSize(5600, 5600) || got.isEmpty(), qPrintable(QString::number(i)));
            decoded += got.isEmpty() ? 0 : qint64{5600} * 5600;
        }
        QVERIFY(decoded <= SkinPixelBudget);
        QVERIFY(decoded + qint64{5600} * 5600 > SkinPixelBudget); // as many as fit
        load(QStringLiteral("Test"), false);
        QCOMPARE(clock->face()->image(), builtin(QStringLiteral("back.bmp")));
    }

    void refusedPictureIsNotAllocated()
    {
        writeRaw(QStringLiteral("huge.bmp"), bmpHeader(100000, 100000, 300));
        writeRaw(QStringLiteral("wide.bmp"), bmpHeader(40000, 1, 300));
        QVERIFY(loadPicture(skinDir() + QStringLiteral("huge.bmp")).isNull());
        QVERIFY(loadPicture(skinDir() + QStringLiteral("wide.bmp")).isNull());
        // Within the size limits, but a few hundred bytes cannot hold the
        // claimed rows: refused before the picture is allocated.
        writeRaw(QStringLiteral("lying.bmp"), bmpHeader(8192, 4000, 300));
        QVERIFY(loadPicture(skinDir() + QStringLiteral("lying.bmp")).isNull());
        writeRaw(QStringLiteral("exact.bmp"), bmpHeader(4, 2, 2 * 12));
        QCOMPARE(loadPicture(skinDir() + QStringLiteral("exact.bmp")).size(), QSize(4, 2));
        writePicture(QStringLiteral("ok.bmp"), makeStrip(10, 19, 34));
        const QImage ok = loadPicture(skinDir() + QStringLiteral("ok.bmp"));
        QCOMPARE(ok.format(), ScreenFormat);
        QCOMPARE(ok, makeStrip(10, 19, 34));
    }

    void otherPictureFormatsUnderBmpNames()
    {
        writeIni("Width=60\nHeight=30\n");
        const QImage face = makeFace(QSize(60, 30), QRect(2, 2, 50, 20));
        QVERIFY(face.save(skinDir() + QStringLiteral("back.bmp"), "PNG"));
        load();
        QCOMPARE(clock->face()->image(), face);
        QCOMPARE(clock->size(), QSize(60, 30));
    }

    void stripNarrowerThanItsCells()
    {
        // The face area covers the tube: only what can be seen is drawn.
        writeIni("Width=460\nHeight=234\nDigit6_Top=0\nDigit6_Left=0\nDigit6_Width=14\n"
                 "Digit6_Height=26\n");
        writePicture(QStringLiteral("5.bmp"), makeStrip(10, 14, 26).copy(0, 0, 30, 26));
        load();
        qputenv("TZ", "UTC");
        tzset();
        f->now = 59; // 00:00:59: cell 9 of the short strip
        clock->tick();
        const QImage tube = clock->tubes()[5]->image();
        QCOMPARE(tube.size(), QSize(14, 26));
        QCOMPARE(tube.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(tube.pixel(13, 25), qRgb(0, 0, 0));
        f->now = 62; // cell 2 ends at the strip's last column
        clock->tick();
        QCOMPARE(clock->tubes()[5]->image().pixel(0, 0), stripPixel(2, 0, 0));
        QCOMPARE(clock->tubes()[5]->image().pixel(1, 0), stripPixel(2, 1, 0));
        QCOMPARE(clock->tubes()[5]->image().pixel(2, 0), qRgb(0, 0, 0));
    }

    void faceEntirelyOfTheMaskColour()
    {
        writeIni("Width=80\nHeight=60\n");
        writePicture(QStringLiteral("back.bmp"), makeFace(QSize(80, 60), QRect()));
        load();
        QCOMPARE(clock->size(), QSize(80, 60));
        QVERIFY(!nativeShape(*clock).isEmpty()); // a shape is set, not removed
        QVERIFY(shape().isEmpty());              // and nothing of the window is in it
    }

    void builtinLayoutRepeatedIsTheBuiltinWindow()
    {
        if (builtin(QStringLiteral("back.bmp")).isNull()) {
            QSKIP("the built-in pictures are not embedded in this build");
        }
        ClockFixture plainState;
        ClockWindow plain(plainState.state, plainState.core);
        plain.loadFace();

        writeIni("Width=460\nHeight=234\n"
                 "Digit1_Top=114\nDigit1_Left=113\nDigit1_Width=19\nDigit1_Height=34\n"
                 "Digit2_Top=113\nDigit2_Left=153\nDigit2_Width=19\nDigit2_Height=34\n"
                 "Digit3_Top=113\nDigit3_Left=207\nDigit3_Width=19\nDigit3_Height=34\n"
                 "Digit4_Top=113\nDigit4_Left=248\nDigit4_Width=19\nDigit4_Height=34\n"
                 "Digit5_Top=120\nDigit5_Left=306\nDigit5_Width=14\nDigit5_Height=26\n"
                 "Digit6_Top=120\nDigit6_Left=339\nDigit6_Width=14\nDigit6_Height=26\n"
                 "PowerSwitch_Top=156\nPowerSwitch_Left=48\nPowerSwitch_Width=54\n"
                 "PowerSwitch_Height=35\n"
                 "StandBy_Top=156\nStandBy_Left=101\nStandBy_Width=30\nStandBy_Height=33\n"
                 "Alarm_Top=45\nAlarm_Left=667\nAlarm_Width=50\nAlarm_Height=44\n");
        const char* builtins[] = {"back", "1", "2", "3", "4", "5"};
        for (const char* name : builtins) {
            QVERIFY(QFile::copy(QStringLiteral(":/builtin/%1.bmp").arg(QLatin1String(name)),
                                skinDir() + QStringLiteral("%1.bmp").arg(QLatin1String(name))));
        }
        load();
        QCOMPARE(clock->size(), plain.size());
        QCOMPARE(nativeShape(*clock), nativeShape(plain));
        for (std::size_t k = 0; k < 6; ++k) {
            QCOMPARE(clock->tubes()[k]->geometry(), plain.tubes()[k]->geometry());
            QCOMPARE(clock->digitStrip(k), plain.digitStrip(k));
        }
        // Only the second standby area differs: the skin copies the first.
        QCOMPARE(clock->standbySwitches()[1]->geometry(), QRect(101, 156, 30, 33));
        QCOMPARE(clock->grab().toImage(), plain.grab().toImage());
    }
};

QTEST_MAIN(LoadSkinTest)
#include "tst_LoadSkin.moc"
