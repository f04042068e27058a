#include "clock/ClockWindow.h"

#include "controls/WindowHelpers.h"
#include "controls/WindowOutline.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/DoubledPictures.h"
#include "menu/ClockMenu.h"
#include "platform/desktop/DesktopLayer.h"
#include "platform/desktop/WindowGone.h"
#include "skin/SkinReader.h"

#include <QAction>
#include <QCloseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

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

const std::array<const char*, 2> BuiltinLamps{":/builtin/led_off.bmp", ":/builtin/led_on.bmp"};

QRect toQRect(const Rect& r)
{
    return {r.x, r.y, r.w, r.h};
}

} // namespace

ClockWindow::ClockWindow(AppState& state, ClockCore& core, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Window), m_state(state), m_core(core)
{
    setWindowTitle(state.appTitle);
    setAttribute(Qt::WA_NoSystemBackground);
    buildElements();
    describeElements();
    m_menu = new ClockMenu(core, this);
    if (const platform::DesktopLayer* layer = state.services.desktop;
        layer != nullptr && !layer->available()) {
        QAction* entry = m_menu->entryFor(Option::OnDesktop);
        entry->setEnabled(false);
        entry->setToolTip(QStringLiteral("Ein Wayland-Fenster kann sich nicht unter die anderen "
                                         "legen; das geht nur unter X11 oder XWayland."));
        m_menu->setToolTipsVisible(true);
    }
    // Another client destroying the window is a close request too.
    platform::whenDestroyedFromOutside(*this, [this] { close(); });
    followCore();
}

// The modes as the core applies them.
void ClockWindow::followCore()
{
    ClockCore& core = m_core;
    connect(&core, &ClockCore::standbyApplied, this, [this](bool on) {
        setTicking(!on);
        if (on) {
            showTubesOff();
        }
    });
    connect(&core, &ClockCore::onTopApplied, this,
            [this](bool on) { SetTopMost(this, on ? StackBand::Above : StackBand::Normal); });
    connect(&core, &ClockCore::desktopModeApplied, this, &ClockWindow::setOnDesktop);
}

ClockWindow::~ClockWindow() = default;

void ClockWindow::setOnDesktop(bool on)
{
    platform::DesktopLayer* layer = m_state.services.desktop;
    // Off at start-up is where the window is already.
    if (layer == nullptr || !layer->available() || on == m_onDesktop) {
        return;
    }
    m_onDesktop = on;
    winId();
    if (QWindow* native = windowHandle()) {
        layer->apply(*native, on);
    }
}

// Decoding costs memory for as long as the window lives, so only the built-in
// pictures nothing else replaced are read, and their companions only for a
// dense screen.
void ClockWindow::useBuiltinWhereMissing(bool dense)
{
    const auto read = [dense](const QString& name, QImage& picture, QImage& doubled) {
        if (picture.isNull()) {
            picture = readBuiltin(name);
            doubled = dense ? readBuiltin(doubledName(name)) : QImage();
        }
    };
    QImage face = m_face->image();
    read(QStringLiteral(":/builtin/back.bmp"), face, m_doubled.back);
    m_face->setPicture(face);
    for (std::size_t k = 0; k < m_digitStrips.size(); ++k) {
        // The built-in strips are named like a skin's default ones.
        read(QStringLiteral(":/builtin/") + DefaultDigitFiles[k], m_digitStrips[k],
             m_doubled.strips[k]);
    }
    for (std::size_t i = 0; i < m_lampPictures.size(); ++i) {
        read(QString::fromLatin1(BuiltinLamps[i]), m_lampPictures[i], m_doubled.lamps[i]);
    }
}

void ClockWindow::buildElements()
{
    m_face = new PictureBox(this);
    m_face->setObjectName(QStringLiteral("picBack"));
    m_face->setGeometry(toQRect(BuiltinBack));
    m_face->installEventFilter(this);

    for (std::size_t k = 0; k < m_tubes.size(); ++k) {
        m_tubes[k] = new PictureBox(m_face);
        m_tubes[k]->setObjectName(QStringLiteral("picTube"));
        m_tubes[k]->setGeometry(toQRect(BuiltinTubes[k]));
        m_tubes[k]->installEventFilter(this);
    }

    for (std::size_t i = 0; i < m_lamps.size(); ++i) {
        m_lamps[i] = new PictureBox(this);
        m_lamps[i]->setObjectName(QStringLiteral("picLED"));
        m_lamps[i]->setGeometry(QRect(QPoint(LampLeft[i], LampTop), LampSize));
        m_lamps[i]->installEventFilter(this);
    }

    m_powerSwitch = new ClickArea(m_face);
    m_powerSwitch->setObjectName(QStringLiteral("lblPower"));
    m_powerSwitch->setGeometry(toQRect(BuiltinPower));
    m_standbySwitches[0] = new ClickArea(m_face);
    m_standbySwitches[0]->setObjectName(QStringLiteral("lblStdby"));
    m_standbySwitches[0]->setGeometry(toQRect(BuiltinStdby0));
    m_standbySwitches[1] = new ClickArea(this);
    m_standbySwitches[1]->setObjectName(QStringLiteral("lblStdby"));
    m_standbySwitches[1]->setGeometry(toQRect(BuiltinStdby1));
    m_alarmTestArea = new ClickArea(m_face);
    m_alarmTestArea->setObjectName(QStringLiteral("lblAlarm"));
    m_alarmTestArea->setGeometry(toQRect(BuiltinAlarm));
    m_alarmTestArea->setToolTip(QStringLiteral("Alarm Testsignal"));
    connect(m_powerSwitch, &ClickArea::clicked, this, &ClockWindow::powerSwitchClicked);
    connect(m_standbySwitches[0], &ClickArea::clicked, this, [this] { standbySwitchClicked(0); });
    connect(m_standbySwitches[1], &ClickArea::clicked, this, [this] { standbySwitchClicked(1); });
    connect(m_alarmTestArea, &ClickArea::clicked, this, &ClockWindow::alarmTestClicked);

    // The hidden digit holders; each drives one tube when changed by hand.
    const std::array<int, 6> maxima{5, 9, 5, 9, 2, 9}; // HScroll1..6
    const std::array<int, 6> tubeOf{4, 3, 2, 1, 0, 5};
    for (std::size_t i = 0; i < m_digitHolders.size(); ++i) {
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(QStringLiteral("HScroll%1").arg(i + 1));
        bar->setRange(0, maxima[i]);
        const int tube = tubeOf[i];
        connect(bar, &QScrollBar::valueChanged, this,
                [this, tube](int value) { HScroll_Change(tube, value); });
        m_digitHolders[i] = bar;
    }

    m_outline = new WindowOutline(this);
    m_outline->setObjectName(QStringLiteral("Transparent1"));

    m_tickTimer = new QTimer(this);
    m_tickTimer->setObjectName(QStringLiteral("Timer1"));
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setTimerType(Qt::PreciseTimer);
    connect(m_tickTimer, &QTimer::timeout, this, &ClockWindow::tickTimerFired);

    resize(BuiltinBack.w, BuiltinBack.h);
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
    // A close request from the window manager ends the program like "Beenden":
    // otherwise an invisible process would live on, holding the
    // single-instance lock.
    event->ignore();
    emit exitRequested();
}
