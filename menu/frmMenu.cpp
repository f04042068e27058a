#include "menu/frmMenu.h"

#include "app/AppState.h"
#include "app/Forms.h"
#include "app/WindowHelpers.h"
#include "clock/frmClock.h"
#include "menu/ExitSequence.h"

#include <QMenu>
#include <QTimer>
#include <cstdlib>

frmMenu::frmMenu(AppState& state) : QWidget(nullptr), m_state(state)
{
    setWindowTitle(QStringLiteral("Menu"));
    mnuPop = new QMenu(QStringLiteral("Popup"), this);

    auto command = [this](const QString& caption, void (frmMenu::*handler)()) {
        QAction* a = mnuPop->addAction(caption);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    // Check marks are inverted by the handlers themselves, as when called
    // from start-up, so the actions are not checkable by Qt's own toggle.
    auto mode = [this, &command](const QString& caption, void (frmMenu::*handler)()) {
        QAction* a = command(caption, handler);
        a->setCheckable(true);
        disconnect(a, &QAction::triggered, this, nullptr);
        connect(a, &QAction::triggered, this, [this, a, handler] {
            a->setChecked(!a->isChecked()); // undo Qt's toggle; the handler inverts
            (this->*handler)();
        });
        return a;
    };

    mnuAbout = command(QStringLiteral("Über..."), &frmMenu::mnuAbout_Click);
    mnuNixe = mnuPop->addSeparator();
    mnuStdby = mode(QStringLiteral("StandBy"), &frmMenu::mnuStdby_Click);
    mnuOnTop = mode(QStringLiteral("Immer im Vordergrund"), &frmMenu::mnuOnTop_Click);
    mnu = mnuPop->addSeparator();
    mnuSetAlarm = command(QStringLiteral("Alarmzeit einstellen"), &frmMenu::mnuSetAlarm_Click);
    mnuAlarm = mode(QStringLiteral("Alarm aktivieren"), &frmMenu::mnuAlarm_Click);
    mmu = mnuPop->addSeparator();
    mnuSkin = command(QStringLiteral("Skin"), &frmMenu::mnuSkin_Click);
    mnuSkin->setEnabled(false);
    mnuNeischt = mnuPop->addSeparator();
    mnuSaver = mode(QStringLiteral("Saver unterdrücken"), &frmMenu::mnuSaver_Click);
    mnuKey = command(QStringLiteral("Taste definieren..."), &frmMenu::mnuKey_Click);
    mnuNix = mnuPop->addSeparator();
    mnuExit = command(QStringLiteral("Beenden"), &frmMenu::mnuExit_Click);

    exitHook = [] { std::_Exit(0); };
}

void frmMenu::popUp(const QPoint& globalPos)
{
    mnuPop->popup(globalPos);
}

void frmMenu::mnuAbout_Click()
{
    ShowIntroWindow(m_state);
}

void frmMenu::mnuStdby_Click()
{
    mnuStdby->setChecked(!mnuStdby->isChecked());
    frmClock& clock = Clock(m_state);
    if (mnuStdby->isChecked()) {
        clock.Timer1->stop();
        clock.TubesOff();
    } else {
        m_state.LastSeconds = QStringLiteral("99");
        m_state.LastMinutes = QStringLiteral("99");
        m_state.LastHours = QStringLiteral("99");
        clock.Timer1->start();
    }
}

void frmMenu::mnuOnTop_Click()
{
    mnuOnTop->setChecked(!mnuOnTop->isChecked());
    SetTopMost(&Clock(m_state), mnuOnTop->isChecked() ? -1 : 0);
}

void frmMenu::mnuSetAlarm_Click()
{
    ShowAlarmWindow(m_state);
}

void frmMenu::mnuAlarm_Click()
{
    mnuAlarm->setChecked(!mnuAlarm->isChecked());
    m_state.AlarmState = 0;
}

void frmMenu::mnuSkin_Click()
{
    ShowSkinsWindow(m_state);
}

void frmMenu::mnuSaver_Click()
{
    mnuSaver->setChecked(!mnuSaver->isChecked());
    frmClock& clock = Clock(m_state);
    if (mnuSaver->isChecked()) {
        clock.tmrPlay->start();
    } else {
        clock.tmrPlay->stop();
    }
}

void frmMenu::mnuKey_Click()
{
    ShowKeyStrokeWindow(m_state);
}

void frmMenu::mnuExit_Click()
{
    SaveOnExit(m_state, *this, Clock(m_state));
    exitHook();
}
