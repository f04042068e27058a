#include "clock/frmClock.h"

#include "controls/Transparent.h"
#include "controls/WindowHelpers.h"
#include "core/AppState.h"
#include "core/DoubledPictures.h"
#include "keys/SaverMode.h"
#include "platform/WindowGone.h"

#include <QCloseEvent>
#include <QScrollBar>
#include <QTimer>

namespace {

struct Rect
{
    int x, y, w, h;
};

// The built-in layout, in pixels of the face.
constexpr Rect BuiltinBack{0, 0, 460, 234};
constexpr std::array<Rect, 6> BuiltinTubes{{{113, 114, 19, 34},
                                            {153, 113, 19, 34},
                                            {207, 113, 19, 34},
                                            {248, 113, 19, 34},
                                            {306, 120, 14, 26},
                                            {339, 120, 14, 26}}};
constexpr Rect BuiltinPower{48, 156, 54, 35};
constexpr Rect BuiltinStdby0{101, 156, 30, 33};
constexpr Rect BuiltinStdby1{101, 154, 30, 33};
constexpr Rect BuiltinAlarm{667, 45, 50, 44};
constexpr std::array<int, 2> LampLeft{478, 506};
constexpr int LampTop = 313;
constexpr QSize LampSize{16, 67};

const std::array<const char*, 6> BuiltinStrips{":/builtin/1.bmp", ":/builtin/2.bmp",
                                               ":/builtin/3.bmp", ":/builtin/4.bmp",
                                               ":/builtin/5.bmp", ":/builtin/5.bmp"};
const std::array<const char*, 2> BuiltinLamps{":/builtin/led_off.bmp", ":/builtin/led_on.bmp"};

QRect toQRect(const Rect& r)
{
    return {r.x, r.y, r.w, r.h};
}

} // namespace

frmClock::frmClock(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), m_state(state)
{
    setWindowTitle(state.AppTitle);
    setAttribute(Qt::WA_NoSystemBackground);
    buildElements();
    // Another client destroying the window is a close request too.
    platform::whenDestroyedFromOutside(*this, [this] { close(); });
    followCore();
}

namespace {

// A timer's Enabled switch: enabling a running timer keeps its phase.
void enableTimer(QTimer* timer, bool enabled)
{
    if (!enabled) {
        timer->stop();
    } else if (!timer->isActive()) {
        timer->start();
    }
}

} // namespace

// The modes as the core applies them.
void frmClock::followCore()
{
    ClockCore& core = m_state.core;
    connect(&core, &ClockCore::standbyApplied, this, [this](bool on) {
        enableTimer(Timer1, !on);
        if (on) {
            TubesOff();
        }
    });
    connect(&core, &ClockCore::onTopApplied, this,
            [this](bool on) { SetTopMost(this, on ? -1 : 0); });
    connect(&core, &ClockCore::saverApplied, this, [this](bool on) { saver->setActive(on); });
}

frmClock::~frmClock() = default;

// Decoding costs memory for as long as the window lives, so only the built-in
// pictures nothing else replaced are read, and their companions only for a
// dense screen.
void frmClock::useBuiltinWhereMissing(bool dense)
{
    const auto read = [dense](const char* path, QImage& picture, QImage& doubled) {
        if (picture.isNull()) {
            const QString name = QString::fromLatin1(path);
            picture = readBuiltin(name);
            doubled = dense ? readBuiltin(doubledName(name)) : QImage();
        }
    };
    QImage face = picBack->image();
    read(":/builtin/back.bmp", face, At2x.back);
    picBack->setPicture(face);
    for (std::size_t k = 0; k < Picture1.size(); ++k) {
        read(BuiltinStrips[k], Picture1[k], At2x.strips[k]);
    }
    for (std::size_t i = 0; i < Picture2.size(); ++i) {
        read(BuiltinLamps[i], Picture2[i], At2x.lamps[i]);
    }
}

void frmClock::buildElements()
{
    picBack = new PictureBox(this);
    picBack->setGeometry(toQRect(BuiltinBack));
    picBack->installEventFilter(this);

    for (std::size_t k = 0; k < picTube.size(); ++k) {
        picTube[k] = new PictureBox(picBack);
        picTube[k]->setGeometry(toQRect(BuiltinTubes[k]));
        picTube[k]->installEventFilter(this);
    }

    for (std::size_t i = 0; i < picLED.size(); ++i) {
        picLED[i] = new PictureBox(this);
        picLED[i]->setGeometry(QRect(QPoint(LampLeft[i], LampTop), LampSize));
        picLED[i]->installEventFilter(this);
    }

    lblPower = new ClickArea(picBack);
    lblPower->setGeometry(toQRect(BuiltinPower));
    lblStdby[0] = new ClickArea(picBack);
    lblStdby[0]->setGeometry(toQRect(BuiltinStdby0));
    lblStdby[1] = new ClickArea(this);
    lblStdby[1]->setGeometry(toQRect(BuiltinStdby1));
    lblAlarm = new ClickArea(picBack);
    lblAlarm->setGeometry(toQRect(BuiltinAlarm));
    lblAlarm->setToolTip(QStringLiteral("Alarm Testsignal"));
    connect(lblPower, &ClickArea::clicked, this, &frmClock::lblPower_Click);
    connect(lblStdby[0], &ClickArea::clicked, this, [this] { lblStdby_Click(0); });
    connect(lblStdby[1], &ClickArea::clicked, this, [this] { lblStdby_Click(1); });
    connect(lblAlarm, &ClickArea::clicked, this, &frmClock::lblAlarm_Click);

    // The hidden digit holders; each drives one tube when changed by hand.
    const std::array<int, 6> maxima{5, 9, 5, 9, 2, 9}; // HScroll1..6
    const std::array<int, 6> tubeOf{4, 3, 2, 1, 0, 5};
    std::array<QScrollBar**, 6> bars{&HScroll1, &HScroll2, &HScroll3,
                                     &HScroll4, &HScroll5, &HScroll6};
    for (std::size_t i = 0; i < bars.size(); ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setRange(0, maxima[i]);
        const int tube = tubeOf[i];
        connect(bar, &QScrollBar::valueChanged, this,
                [this, tube](int value) { HScroll_Change(tube, value); });
        *bars[i] = bar;
    }

    Transparent1 = new Transparent(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    connect(Timer1, &QTimer::timeout, this, &frmClock::Timer1_Timer);
    saver = new SaverMode(m_state, *this, KeyPeriod);

    resize(BuiltinBack.w, BuiltinBack.h);
}

void frmClock::closeEvent(QCloseEvent* event)
{
    // A close request from the window manager ends the program like "Beenden":
    // otherwise the never-shown menu window would keep an invisible process
    // alive, holding the single-instance lock.
    event->ignore();
    emit exitRequested();
}
