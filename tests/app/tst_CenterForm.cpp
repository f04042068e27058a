// Windows on two screens side by side (two_screens.json, Qt's offscreen
// platform, which reports no frames of its own).

#include "app/ClockPlacement.h"
#include "controls/FramePlacement.h"
#include "controls/WindowHelpers.h"
#include "platform/dummy/FixedFrameExtents.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using Margins = std::optional<QMargins>;

namespace {
const QRect Left(0, 0, 1280, 1024);
} // namespace

class CenterFormTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onTheClocksScreen_data()
    {
        QTest::addColumn<QPoint>("clockAt");
        QTest::addColumn<QPoint>("dialogCentred");
        QTest::addColumn<QPoint>("clockWithoutRight");
        QTest::newRow("left") << QPoint(100, 100) << QPoint(490, 335) << QPoint(100, 100);
        // 140 from the right edge of the right screen, and 300 from its top.
        QTest::newRow("right") << QPoint(2600, 300) << QPoint(2090, 359) << QPoint(680, 300);
    }
    void onTheClocksScreen()
    {
        QFETCH(QPoint, clockAt);
        QFETCH(QPoint, dialogCentred);
        QFETCH(QPoint, clockWithoutRight);
        QWidget clock(nullptr, Qt::FramelessWindowHint | Qt::Window);
        clock.setFixedSize(460, 234);
        clock.move(clockAt);
        QWidget dialog;
        dialog.setFixedSize(300, 200);
        CenterForm(&dialog, &clock);
        QCOMPARE(dialog.pos(), dialogCentred);

        QList<QRect> screens = screenRects();
        ScreenGuard guard(clock, [&screens] { return screens; });
        screens.removeLast();
        guard.check();
        QCOMPARE(clock.pos(), clockWithoutRight);
    }

    void byOuterFrame_data()
    {
        QTest::addColumn<Margins>("inAdvance");
        // A 333 x 298 frame centred at (474, 286), its inside 1 and 20 further.
        QTest::newRow("told in advance") << Margins(QMargins(1, 20, 1, 1));
        QTest::newRow("learnt after show") << Margins();
    }
    void byOuterFrame()
    {
        QFETCH(Margins, inAdvance);
        QWidget dialog;
        dialog.setFixedSize(331, 277);
        centreByOuterSize(
            &dialog, Left,
            std::make_unique<platform::FixedFrameExtents>(inAdvance, QMargins(1, 20, 1, 1)));
        dialog.show();
        QTRY_COMPARE(dialog.geometry().topLeft(), QPoint(475, 306));
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" GLIMMORA_SCREENS_FILE);
    QApplication app(argc, argv);
    CenterFormTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_CenterForm.moc"
