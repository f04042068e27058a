#include "tests/support/DialogTestSupport.h"

#include "about/WebPages.h"
#include "about/AboutWindow.h"
#include "app/Windows.h"
#include "controls/PictureBox.h"
#include "controls/WindowHelpers.h"

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// A control's area in its window's coordinates.
QRect inWindow(const QWidget* window, const QWidget* control)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

} // namespace

// Takes the pages the program asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestFrmIntro : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlacedFixture> m_t;
    UrlRecorder m_urls;

    AppState& state() { return m_t->state; }
    Windows& windows() { return m_t->windows; }

    AboutWindow* open()
    {
        windows().showAbout();
        AboutWindow* w = windows().about();
        if (w) {
            (void)QTest::qWaitForWindowExposed(w);
        }
        return w;
    }

    // Whether the window is gone once deferred deletions ran.
    bool closed()
    {
        flushDeletes();
        return !windows().about();
    }

private slots:
    void initTestCase()
    {
        // Nothing reaches a real browser from here.
        for (const char* scheme : {"http", "https", "file"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_urls, "open");
        }
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"http", "https", "file"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }

    void init()
    {
        m_t = std::make_unique<PlacedFixture>();
        QVERIFY(m_t->dir.isValid());
        m_urls.opened.clear();
    }

    void cleanup() { m_t.reset(); }

    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("patch");
        QTest::addColumn<QString>("expected");
        QTest::newRow("release") << 1 << 0 << 8 << "Version: 1.0.8";
        QTest::newRow("no leading zeros") << 2 << 10 << 0 << "Version: 2.10.0";
        QTest::newRow("all zero") << 0 << 0 << 0 << "Version: 0.0.0";
    }
    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, patch);
        QFETCH(QString, expected);
        QCOMPARE(::versionText(major, minor, patch), expected);
    }

    void showsTheBuildsVersion()
    {
        AboutWindow unloaded(state());
        QCOMPARE(unloaded.versionLabel()->text(), QStringLiteral("Version: 0.0.0"));
        AboutWindow* w = open();
        QCOMPARE(w->versionLabel()->text(), QStringLiteral("Version: 1.0.8"));
    }

    // A frameless black window above the others, filled by the whole
    // picture; the version text and the two links lie inside it.
    void windowLayout()
    {
        AboutWindow* w = open();
        QVERIFY(w->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(Qt::black));
        QVERIFY(w->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(isTopMost(w));

        const QRect shown(w->picture()->pos(), w->picture()->image().size());
        QVERIFY(shown.contains(w->rect())); // no black band
        QVERIFY(qAbs(shown.width() - w->width()) <= 1 && qAbs(shown.height() - w->height()) <= 1);
        QVERIFY(w->picture()->image().colorCount() <= 256);

        const QLabel* version = w->versionLabel();
        QVERIFY(w->rect().contains(inWindow(w, version)));
        const QRect text = version->fontMetrics().boundingRect(version->text());
        QVERIFY2(text.width() <= version->width() && text.height() <= version->height(),
                 "the version text is cut off");
        for (QWidget* link : {w->homePageLink(), w->productPageLink()}) {
            QVERIFY(w->rect().contains(inWindow(w, link)));
        }
        QVERIFY(!inWindow(w, w->homePageLink()).intersects(inWindow(w, version)));
    }

    // The link texts drawn in the picture's lower quarter, top to bottom, lie
    // each inside its link area: a click anywhere on a text opens its page.
    void linksCoverTheirText()
    {
        AboutWindow* w = open();
        const QImage picture = w->picture()->image();
        QList<QRect> lines;
        bool inLine = false;
        for (int y = picture.height() * 3 / 4; y < picture.height(); ++y) {
            QRect row;
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c.red() > 200 && c.blue() < 150) { // the links' orange
                    row |= QRect(x, y, 1, 1);
                }
            }
            if (!row.isEmpty() && inLine) {
                lines.last() |= row;
            } else if (!row.isEmpty()) {
                lines << row;
            }
            inLine = !row.isEmpty();
        }
        QCOMPARE(lines.size(), 2);
        const QList<QWidget*> links{w->homePageLink(), w->productPageLink()};
        for (qsizetype i = 0; i < links.size(); ++i) {
            QVERIFY2(inWindow(w, links[i]).contains(lines[i]),
                     qPrintable(QStringLiteral("%1 misses text at %2,%3 %4x%5")
                                    .arg(links[i]->objectName())
                                    .arg(lines[i].x())
                                    .arg(lines[i].y())
                                    .arg(lines[i].width())
                                    .arg(lines[i].height())));
        }
    }

    // The version is drawn in white over the picture, inside its own area,
    // which otherwise shows the picture.
    void versionIsVisible()
    {
        AboutWindow* w = open();
        const QImage shot = w->grab().toImage();
        const QRect label = inWindow(w, w->versionLabel());
        int white = 0;
        int changed = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (shot.pixelColor(x, y) == w->picture()->image().pixelColor(x, y)) {
                    continue;
                }
                ++changed;
                if (shot.pixelColor(x, y) == QColor(Qt::white)) {
                    QVERIFY2(label.contains(x, y),
                             qPrintable(QStringLiteral("white at %1,%2").arg(x).arg(y)));
                    ++white;
                }
            }
        }
        QVERIFY(white > 20);
        QVERIFY2(changed < label.width() * label.height() / 2, "the text has a background");
    }

    void handCursorOverTheLinks()
    {
        AboutWindow* w = open();
        for (QWidget* area : {static_cast<QWidget*>(w->homePageLink()),
                              static_cast<QWidget*>(w->productPageLink())}) {
            const QCursor c = area->cursor();
            QCOMPARE(c.shape(), Qt::BitmapCursor);
            QCOMPARE(c.hotSpot(), QPoint(15, 14));
            QCOMPARE(c.pixmap().size(), QSize(32, 32));
        }
        QCOMPARE(w->picture()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(w->versionLabel()->cursor().shape(), Qt::ArrowCursor);
    }

    void closingInputs_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("closes");
        QTest::newRow("click on the picture") << "click picture" << true;
        QTest::newRow("click on the picture's lower edge") << "click picture edge" << true;
        QTest::newRow("click on the version") << "click label" << true;
        QTest::newRow("double-click on the picture") << "dclick picture" << true;
        QTest::newRow("double-click event alone") << "dclick event picture" << true;
        QTest::newRow("right click on the picture") << "right picture" << false;
        QTest::newRow("middle click on the version") << "middle label" << false;
        QTest::newRow("press on the picture, release outside") << "drag out" << false;
        QTest::newRow("click on the home page link") << "click image1" << false;
        QTest::newRow("click on the product page link") << "click image2" << false;
        QTest::newRow("double-click on a link") << "dclick image2" << false;
    }
    void closingInputs()
    {
        QFETCH(QString, input);
        QFETCH(bool, closes);
        AboutWindow* w = open();
        if (input == "click picture") {
            QTest::mouseClick(w->picture(), Qt::LeftButton, {}, QPoint(300, 150));
        } else if (input == "click picture edge") {
            QTest::mouseClick(w->picture(), Qt::LeftButton, {}, QPoint(600, 399));
        } else if (input == "click label") {
            QTest::mouseClick(w->versionLabel(), Qt::LeftButton, {}, QPoint(60, 8));
        } else if (input == "dclick picture") {
            realDoubleClick(w->picture(), QPoint(20, 20));
        } else if (input == "dclick event picture") {
            QTest::mouseDClick(w->picture(), Qt::LeftButton, {}, QPoint(20, 20));
        } else if (input == "right picture") {
            QTest::mouseClick(w->picture(), Qt::RightButton, {}, QPoint(300, 150));
        } else if (input == "middle label") {
            QTest::mouseClick(w->versionLabel(), Qt::MiddleButton, {}, QPoint(60, 8));
        } else if (input == "drag out") {
            QTest::mousePress(w->picture(), Qt::LeftButton, {}, QPoint(300, 150));
            QTest::mouseRelease(w->picture(), Qt::LeftButton, {}, QPoint(700, 150));
        } else if (input == "click image1") {
            QTest::mouseClick(w->homePageLink(), Qt::LeftButton, {}, QPoint(100, 12));
        } else if (input == "click image2") {
            QTest::mouseClick(w->productPageLink(), Qt::LeftButton, {}, QPoint(100, 12));
        } else if (input == "dclick image2") {
            realDoubleClick(w->productPageLink(), QPoint(100, 12));
        } else {
            QFAIL("unknown input");
        }
        QCOMPARE(closed(), closes);
    }

    // Keys as X delivers them: a key closes when it produces a character.
    void closingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        const int none = Qt::NoModifier;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b" << none << true;
        QTest::newRow("Return") << int(Qt::Key_Return) << "\r" << none << true;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << "\r" << int(Qt::KeypadModifier) << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b" << none << true;
        // Tab moves to the links instead.
        QTest::newRow("Tab") << int(Qt::Key_Tab) << "\t" << none << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << " " << none << true;
        QTest::newRow("letter") << int(Qt::Key_A) << "a" << none << true;
        QTest::newRow("shifted letter") << int(Qt::Key_A) << "A" << int(Qt::ShiftModifier) << true;
        QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << "ä" << none << true;
        QTest::newRow("digit") << int(Qt::Key_7) << "7" << none << true;
        QTest::newRow("control letter")
            << int(Qt::Key_C) << "\x03" << int(Qt::ControlModifier) << true;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << "" << none << false;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << "" << none << false;
        QTest::newRow("F1") << int(Qt::Key_F1) << "" << none << false;
        QTest::newRow("F9") << int(Qt::Key_F9) << "" << none << false;
        QTest::newRow("Home") << int(Qt::Key_Home) << "" << none << false;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << "" << int(Qt::ShiftModifier) << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f" << none << false;
    }
    void closingKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        AboutWindow* w = open();
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key(key), text,
                            Qt::KeyboardModifiers(modifiers));
        QCOMPARE(closed(), closes);
    }

    void linksOpenTheirPages()
    {
        QFile manual(state().programDir + QStringLiteral("manual.html"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.write("<html></html>");
        manual.close();

        AboutWindow* w = open();
        QTest::mouseClick(w->homePageLink(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(m_urls.opened.size(), 1);
        QCOMPARE(m_urls.opened.at(0), QUrl(homePageAddress()));
        QCOMPARE(m_urls.opened.at(0).scheme(), QStringLiteral("https"));

        QTest::mouseClick(w->productPageLink(), Qt::LeftButton, {}, QPoint(310, 20));
        QCOMPARE(m_urls.opened.size(), 2);
        QCOMPARE(m_urls.opened.at(1), QUrl::fromLocalFile(manual.fileName()));
        QVERIFY(!closed());
    }

    // From the keyboard: Tab reaches each link, Enter opens its page, the
    // window stays; a third Tab leaves the links, and Enter closes again.
    void linksFromTheKeyboard()
    {
        AboutWindow* w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QList<QUrl> pages{QUrl(homePageAddress()),
                                QUrl::fromLocalFile(productPageFile(state()))};
        for (ClickArea* link : {w->homePageLink(), w->productPageLink()}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), link);
            QTest::keyClick(link, Qt::Key_Return);
        }
        QCOMPARE(m_urls.opened, pages);
        QVERIFY(!closed());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w);
        QTest::keyClick(w, Qt::Key_Return);
        QVERIFY(closed());
    }

    // The build puts the manual beside the program, where the link finds it.
    void manualIsBesideTheProgram()
    {
        QFile manual(QStringLiteral(GLIMMORA_TEST_BUILD_DIR "/manual.html"));
        QVERIFY2(manual.open(QIODevice::ReadOnly), qPrintable(manual.fileName()));
        const QString html = QString::fromUtf8(manual.readAll());
        QVERIFY(html.contains(QStringLiteral("<html lang=\"de\">")));
        QVERIFY(html.contains(QStringLiteral("Skins")));
        state().programDir = QStringLiteral(GLIMMORA_TEST_BUILD_DIR "/");
        QCOMPARE(QFileInfo(productPageFile(state())).canonicalFilePath(),
                 QFileInfo(manual).canonicalFilePath());
    }

    void atMostOneWindow()
    {
        AboutWindow* first = open();
        QVERIFY(first);
        QCOMPARE(open(), first);
        const auto tops = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(tops.begin(), tops.end(),
                               [](QWidget* t) { return qobject_cast<AboutWindow*>(t) != nullptr; }),
                 1);
        QVERIFY(first->close());
        QVERIFY(closed());
        AboutWindow* second = open();
        QVERIFY(second);
        QCOMPARE(second->versionLabel()->text(), QStringLiteral("Version: 1.0.8"));
    }
};

QTEST_MAIN(TestFrmIntro)
#include "tst_AboutWindow.moc"
