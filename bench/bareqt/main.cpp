// The floor for any Qt program in the benchmark: a frameless Widgets window of
// the clock's size with a 300 ms timer that does nothing.
//
//   bench-bareqt            the timer does nothing
//   bench-bareqt --paint    and two small areas the size of the seconds tubes
//                           are filled anew on the first tick of each second:
//                           the floor for a Qt clock that shows seconds
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

class Area : public QWidget
{
public:
    using QWidget::QWidget;
    int shade = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), QColor(shade, 40, 0));
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool paint = argc > 1 && std::strcmp(argv[1], "--paint") == 0;
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Window);
    window.resize(460, 234);
    Area tens(&window);
    Area units(&window);
    tens.setGeometry(306, 120, 14, 26);
    units.setGeometry(339, 120, 14, 26);
    qint64 lastSecond = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        if (!paint) {
            return;
        }
        const qint64 second = QDateTime::currentSecsSinceEpoch();
        if (second != lastSecond) {
            lastSecond = second;
            for (Area* a : {&tens, &units}) {
                a->shade = static_cast<int>(second % 2) * 200;
                a->update();
            }
        }
    });
    timer.start(300);
    window.show();
    return QApplication::exec();
}
