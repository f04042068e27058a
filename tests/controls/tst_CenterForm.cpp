// Windows on two screens side by side and a dense one (scale 2) below the
// left one (two_screens.json, Qt's offscreen platform, which reports no
// frames of its own).

#include "app/ClockPlacement.h"
#include "controls/FramePlacement.h"
#include "controls/WindowHelpers.h"
#include "platform/dummy/FixedFrameExtents.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using Margins = std::optional<QMargins>;

namespace {

// Where a window is when it first appears on the screen.
class FirstExposure final : public QObject
{
public:
    explicit FirstExposure(QWidget& window) : m_window(window) { qApp->installEventFilter(this); }
    std::optional<QPoint> at;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!at && event->type() == QEvent::Expose && watched == m_window.windowHandle()) {
            at = m_window.geometry().topLeft();
        }
        return false;
    }

private:
    QWidget& m_window;
};

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) {
            return screen;
        }
    }
    return nullptr;
}

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
        QTest::addColumn<bool>("rightPluggedLater");
        QTest::newRow("left") << QPoint(100, 100) << QPoint(490, 335) << QPoint(100, 100) << false;
        // 140 from the right edge of the right screen, and 300 from its top.
        QTest::newRow("right") << QPoint(2600, 300) << QPoint(2090, 359) << QPoint(680, 300)
                               << false;
        QTest::newRow("right, plugged in after start")
            << QPoint(2600, 300) << QPoint(2090, 359) << QPoint(680, 300) << true;
    }
    void onTheClocksScreen()
    {
        QFETCH(QPoint, clockAt);
        QFETCH(QPoint, dialogCentred);
        QFETCH(QPoint, clockWithoutRight);
        QFETCH(bool, rightPluggedLater);
        QWidget clock(nullptr, Qt::FramelessWindowHint | Qt::Window);
        clock.setFixedSize(460, 234);
        clock.move(clockAt);
        QWidget dialog;
        dialog.setFixedSize(300, 200);
        centreWindow(&dialog, &clock);
        QCOMPARE(dialog.pos(), dialogCentred);

        QList<QRect> screens = screenRects();
        const QRect right = screenNamed(QStringLiteral("right"))->geometry();
        screens.removeOne(right);
        if (!rightPluggedLater) {
            screens.append(right);
        }
        ScreenGuard guard(clock, [&screens] { return screens; });
        if (rightPluggedLater) {
            screens.append(right);
            guard.check();
        }
        screens.removeOne(right);
        guard.check();
        QCOMPARE(clock.pos(), clockWithoutRight);
    }

    // Frames in device pixels, as the window manager tells them.
    void byOuterFrame_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<Margins>("inAdvance");
        QTest::addColumn<QMargins>("shown");
        // A 333 x 298 frame centred at (474, 286), its inside 1 and 20 further;
        // told in advance, the dialog appears there at once.
        QTest::newRow("told in advance")
            << QStringLiteral("left") << Margins(QMargins(1, 20, 1, 1)) << QMargins(1, 20, 1, 1);
        QTest::newRow("learnt after show")
            << QStringLiteral("left") << Margins() << QMargins(1, 20, 1, 1);
        QTest::newRow("told in advance, scale 2")
            << QStringLiteral("dense") << Margins(QMargins(2, 40, 2, 2)) << QMargins(2, 40, 2, 2);
    }
    void byOuterFrame()
    {
        QFETCH(QString, screen);
        QFETCH(Margins, inAdvance);
        QFETCH(QMargins, shown);
        QWidget dialog;
        dialog.setFixedSize(331, 277);
        dialog.setScreen(screenNamed(screen));
        const QRect area = screenNamed(screen)->geometry();
        centreByOuterSize(&dialog, area,
                          std::make_unique<platform::FixedFrameExtents>(inAdvance, shown));
        const FirstExposure first(dialog);
        dialog.show();
        const QPoint centred = area.topLeft() + QPoint(475, 306);
        QTRY_COMPARE(dialog.geometry().topLeft(), centred);
        QVERIFY(first.at);
        QCOMPARE(*first.at == centred, inAdvance.has_value());
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
