#include "menu/frmMenu.h"

#include "app/AppState.h"
#include "app/Forms.h"
#include "app/WindowHelpers.h"
#include "clock/frmClock.h"
#include "keys/SaverMode.h"
#include "menu/ExitSequence.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <cstdlib>

namespace {

using Handler = void (frmMenu::*)();

QAction* addCommand(frmMenu* menu, const char* name, const QString& caption, Handler handler)
{
    QAction* entry = menu->mnuPop->addAction(caption);
    entry->setObjectName(QLatin1String(name));
    QObject::connect(entry, &QAction::triggered, menu, [menu, handler] { (menu->*handler)(); });
    return entry;
}

// A mode entry: its check mark is the mode. The handlers invert the mark
// themselves (start-up calls them the same way), so the toggle Qt makes on a
// checkable entry before it reports the trigger is undone first.
QAction* addMode(frmMenu* menu, const char* name, const QString& caption, Handler handler)
{
    QAction* entry = menu->mnuPop->addAction(caption);
    entry->setObjectName(QLatin1String(name));
    entry->setCheckable(true);
    QObject::connect(entry, &QAction::triggered, menu, [menu, entry, handler] {
        entry->setChecked(!entry->isChecked());
        (menu->*handler)();
    });
    return entry;
}

// A timer's Enabled switch: enabling a running timer keeps its phase.
void enableTimer(QTimer* timer, bool enabled)
{
    if (!enabled) {
        timer->stop();
    } else if (!timer->isActive()) {
        timer->start();
    }
}

QAction* addSeparator(frmMenu* menu, const char* name)
{
    QAction* line = menu->mnuPop->addSeparator();
    line->setObjectName(QLatin1String(name));
    return line;
}

} // namespace

frmMenu::frmMenu(AppState& state) : QWidget(nullptr), m_state(state)
{
    setWindowTitle(QStringLiteral("Menu"));
    mnuPop = new QMenu(QStringLiteral("Popup"), this);
    mnuPop->setObjectName(QStringLiteral("mnuPop"));

    mnuAbout = addCommand(this, "mnuAbout", QStringLiteral("Über..."), &frmMenu::mnuAbout_Click);
    mnuNixe = addSeparator(this, "mnuNixe");
    mnuStdby = addMode(this, "mnuStdby", QStringLiteral("StandBy"), &frmMenu::mnuStdby_Click);
    mnuOnTop =
        addMode(this, "mnuOnTop", QStringLiteral("Immer im Vordergrund"), &frmMenu::mnuOnTop_Click);
    mnu = addSeparator(this, "mnu");
    mnuSetAlarm = addCommand(this, "mnuSetAlarm", QStringLiteral("Alarmzeit einstellen"),
                             &frmMenu::mnuSetAlarm_Click);
    mnuAlarm =
        addMode(this, "mnuAlarm", QStringLiteral("Alarm aktivieren"), &frmMenu::mnuAlarm_Click);
    mmu = addSeparator(this, "mmu");
    mnuSkin = addCommand(this, "mnuSkin", QStringLiteral("Skin"), &frmMenu::mnuSkin_Click);
    // Greyed for good: the skin is chosen in the settings file.
    mnuSkin->setEnabled(false);
    mnuNeischt = addSeparator(this, "mnuNeischt");
    mnuSaver =
        addMode(this, "mnuSaver", QStringLiteral("Saver unterdrücken"), &frmMenu::mnuSaver_Click);
    mnuKey =
        addCommand(this, "mnuKey", QStringLiteral("Taste definieren..."), &frmMenu::mnuKey_Click);
    mnuNix = addSeparator(this, "mnuNix");
    mnuExit = addCommand(this, "mnuExit", QStringLiteral("Beenden"), &frmMenu::mnuExit_Click);

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
        enableTimer(clock.Timer1, false);
        clock.TubesOff();
    } else {
        m_state.LastSeconds = QStringLiteral("99");
        m_state.LastMinutes = QStringLiteral("99");
        m_state.LastHours = QStringLiteral("99");
        enableTimer(clock.Timer1, true);
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
    Clock(m_state).saver->setActive(mnuSaver->isChecked());
}

void frmMenu::mnuKey_Click()
{
    ShowKeyStrokeWindow(m_state);
}

void frmMenu::mnuExit_Click()
{
    SaveOnExit(m_state, *this, Clock(m_state));
    // No event runs between the writes and the end, and no closing handler.
    if (exitHook) {
        exitHook();
    } else {
        std::_Exit(0);
    }
}
