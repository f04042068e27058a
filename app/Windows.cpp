#include "app/Windows.h"

#include "about/AboutWindow.h"
#include "alarm/AlarmDialog.h"
#include "alarm/AlarmNotice.h"
#include "clock/ClockWindow.h"
#include "controls/ShowOnce.h"
#include "core/AlarmLog.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "keys/KeyDialog.h"
#include "keys/SaverMode.h"
#include "menu/ClockMenu.h"
#include "platform/Backends.h"
#include "skin/SkinChooser.h"

Windows::Windows(AppState& state, ClockCore& core)
    : m_state(state), m_core(core), m_saverMode(new SaverMode(state.services, core, this))
{
    connect(&core, &ClockCore::noticeRequested, this, &Windows::showNotice);
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
    delete m_clock.data();
}

ClockWindow& Windows::clock()
{
    if (!m_clock) {
        m_clock = new ClockWindow(m_state, m_core);
        connect(m_clock, &ClockWindow::exitRequested, this, &Windows::exitRequested);
        ClockMenu* menu = m_clock->menu();
        connect(menu, &ClockMenu::aboutRequested, this, &Windows::showAbout);
        connect(menu, &ClockMenu::setAlarmRequested, this, &Windows::showAlarm);
        connect(menu, &ClockMenu::skinRequested, this, &Windows::showSkins);
        connect(menu, &ClockMenu::keyRequested, this, &Windows::showKeyStroke);
        connect(menu, &ClockMenu::exitRequested, this, &Windows::exitRequested);
    }
    return *m_clock;
}

ClockMenu& Windows::menu()
{
    return *clock().menu();
}

void Windows::showAbout()
{
    showOnce(m_about, [this] { return new AboutWindow(m_state, m_clock); });
}

void Windows::showAlarm()
{
    showOnce(m_alarm, [this] { return new AlarmDialog(m_state, m_core, m_clock); });
}

void Windows::showNotice()
{
    // It takes the focus, so Enter reaches "O K" whatever window was active.
    showOnce(m_notice, [this] {
        qCDebug(lcAlarm) << "notice opened";
        return new AlarmNotice(m_state, m_core, m_clock);
    });
}

void Windows::showSkins()
{
    showOnce(m_skins, [this] { return new SkinChooser(m_state, m_core, m_clock); });
}

void Windows::showKeyStroke()
{
    showOnce(m_keyStroke, [this] { return new KeyDialog(m_state, m_core, m_clock); });
}

AboutWindow* Windows::about() const
{
    return m_about;
}

AlarmDialog* Windows::alarm() const
{
    return m_alarm;
}

AlarmNotice* Windows::notice() const
{
    return m_notice;
}

SkinChooser* Windows::skins() const
{
    return m_skins;
}

KeyDialog* Windows::keyStroke() const
{
    return m_keyStroke;
}

WId Windows::clockWindowId() const
{
    // Only an X window id means something to the desktop.
    if (!m_clock || !platform::onX11()) {
        return 0;
    }
    return m_clock->winId();
}
