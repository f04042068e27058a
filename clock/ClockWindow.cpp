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
#include <QTimer>
#include <QWindow>

namespace {

const std::array<const char*, 2> BuiltinLamps{":/builtin/led_off.bmp", ":/builtin/led_on.bmp"};

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
            [this](bool on) { setAboveOthers(this, on); });
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
    m_face->installEventFilter(this);

    for (std::size_t k = 0; k < m_tubes.size(); ++k) {
        m_tubes[k] = new PictureBox(m_face);
        m_tubes[k]->setObjectName(QStringLiteral("picTube"));
        m_tubes[k]->installEventFilter(this);
    }

    for (std::size_t i = 0; i < m_lamps.size(); ++i) {
        m_lamps[i] = new PictureBox(this);
        m_lamps[i]->setObjectName(QStringLiteral("picLED"));
        m_lamps[i]->installEventFilter(this);
    }

    m_powerSwitch = new ClickArea(m_face);
    m_powerSwitch->setObjectName(QStringLiteral("lblPower"));
    m_standbySwitches[0] = new ClickArea(m_face);
    m_standbySwitches[0]->setObjectName(QStringLiteral("lblStdby"));
    m_standbySwitches[1] = new ClickArea(this);
    m_standbySwitches[1]->setObjectName(QStringLiteral("lblStdby"));
    m_alarmTestArea = new ClickArea(m_face);
    m_alarmTestArea->setObjectName(QStringLiteral("lblAlarm"));
    m_alarmTestArea->setToolTip(QStringLiteral("Alarm Testsignal"));
    connect(m_powerSwitch, &ClickArea::clicked, this, &ClockWindow::powerSwitchClicked);
    connect(m_standbySwitches[0], &ClickArea::clicked, this, [this] { standbySwitchClicked(0); });
    connect(m_standbySwitches[1], &ClickArea::clicked, this, [this] { standbySwitchClicked(1); });
    connect(m_alarmTestArea, &ClickArea::clicked, this, &ClockWindow::alarmTestClicked);

    m_outline = new WindowOutline(this);
    m_outline->setObjectName(QStringLiteral("Transparent1"));

    m_tickTimer = new QTimer(this);
    m_tickTimer->setObjectName(QStringLiteral("Timer1"));
    m_tickTimer->setSingleShot(true);
    m_tickTimer->setTimerType(Qt::PreciseTimer);
    connect(m_tickTimer, &QTimer::timeout, this, &ClockWindow::tickTimerFired);

    layOut();
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
    // A close request from the window manager ends the program like "Beenden":
    // otherwise an invisible process would live on, holding the
    // single-instance lock.
    event->ignore();
    emit exitRequested();
}
