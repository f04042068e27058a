#include "app/Windows.h"

#include "about/frmIntro.h"
#include "alarm/frmAlarm.h"
#include "alarm/frmMessage.h"
#include "clock/frmClock.h"
#include "controls/ShowOnce.h"
#include "core/AlarmLog.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "keys/SaverMode.h"
#include "keys/frmKeyStroke.h"
#include "menu/frmMenu.h"
#include "skin/frmSkins.h"

#include <QGuiApplication>

Windows::Windows(AppState& state, ClockCore& core)
    : m_state(state), m_core(core), m_saverMode(new SaverMode(state.services, this))
{
    connect(&core, &ClockCore::noticeRequested, this, &Windows::showNotice);
    m_saverMode->setKeyCode(core.keyCode());
    connect(&core, &ClockCore::keyCodeChanged, m_saverMode, &SaverMode::setKeyCode);
    connect(&core, &ClockCore::saverApplied, this,
            [this](bool on) { m_saverMode->setActive(on, on ? clockWindowId() : 0); });
}

Windows::~Windows()
{
    delete m_about.data();
    delete m_alarm.data();
    delete m_notice.data();
    delete m_skins.data();
    delete m_keyStroke.data();
    delete m_menu.data();
    delete m_clock.data();
}

frmClock& Windows::clock()
{
    if (!m_clock) {
        m_clock = new frmClock(m_state, m_core);
        connect(m_clock, &frmClock::menuRequested, this, [this](QPoint at) { menu().popUp(at); });
        connect(m_clock, &frmClock::exitRequested, this, &Windows::exitRequested);
    }
    return *m_clock;
}

frmMenu& Windows::menu()
{
    if (!m_menu) {
        m_menu = new frmMenu(m_state, m_core);
        connect(m_menu, &frmMenu::aboutRequested, this, &Windows::showAbout);
        connect(m_menu, &frmMenu::setAlarmRequested, this, &Windows::showAlarm);
        connect(m_menu, &frmMenu::skinRequested, this, &Windows::showSkins);
        connect(m_menu, &frmMenu::keyRequested, this, &Windows::showKeyStroke);
        connect(m_menu, &frmMenu::exitRequested, this, &Windows::exitRequested);
        connect(&m_core, &ClockCore::saverEntriesShownChanged, m_menu, &frmMenu::showSaverEntries);
    }
    return *m_menu;
}

void Windows::showAbout()
{
    showOnce(m_about, [this] { return new frmIntro(m_state, m_clock); });
}

void Windows::showAlarm()
{
    showOnce(m_alarm, [this] { return new frmAlarm(m_state, m_core, m_clock); });
}

void Windows::showNotice()
{
    // A tick while the notice loads finds it and builds no second one. It
    // takes the focus, so Enter reaches "O K" whatever window was active.
    showOnce(m_notice, [this] {
        qCDebug(lcAlarm) << "notice opened";
        return new frmMessage(m_state, m_core, m_clock);
    });
}

void Windows::showSkins()
{
    showOnce(m_skins, [this] { return new frmSkins(m_state, m_core, m_clock); });
}

void Windows::showKeyStroke()
{
    showOnce(m_keyStroke, [this] { return new frmKeyStroke(m_state, m_core, m_clock); });
}

frmIntro* Windows::about() const
{
    return m_about;
}

frmAlarm* Windows::alarm() const
{
    return m_alarm;
}

frmMessage* Windows::notice() const
{
    return m_notice;
}

frmSkins* Windows::skins() const
{
    return m_skins;
}

frmKeyStroke* Windows::keyStroke() const
{
    return m_keyStroke;
}

WId Windows::clockWindowId() const
{
    // Only an X window id means something to the desktop.
    if (!m_clock || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return 0;
    }
    return m_clock->winId();
}
