#include "menu/frmMenu.h"

#include "core/AppState.h"

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

// A mode entry: its check mark mirrors the core's mode, and setting the mark
// by hand sets the core's mark. The handlers invert the mark themselves
// (start-up does the same), so the toggle Qt makes on a checkable entry before
// it reports the trigger is undone first.
QAction* addMode(frmMenu* menu, ClockCore& core, ClockCore::Mode mode, const char* name,
                 const QString& caption, Handler handler)
{
    QAction* entry = menu->mnuPop->addAction(caption);
    entry->setObjectName(QLatin1String(name));
    entry->setCheckable(true);
    entry->setChecked(core.isOn(mode));
    QObject::connect(entry, &QAction::toggled, &core,
                     [&core, mode](bool on) { core.setMark(mode, on); });
    QObject::connect(&core, &ClockCore::markChanged, entry,
                     [entry, mode](ClockCore::Mode changed, bool on) {
                         if (changed == mode) {
                             entry->setChecked(on);
                         }
                     });
    QObject::connect(entry, &QAction::triggered, menu, [menu, entry, handler] {
        entry->setChecked(!entry->isChecked());
        (menu->*handler)();
    });
    return entry;
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
    ClockCore& core = state.core;
    mnuStdby = addMode(this, core, ClockCore::Standby, "mnuStdby", QStringLiteral("StandBy"),
                       &frmMenu::mnuStdby_Click);
    mnuOnTop = addMode(this, core, ClockCore::OnTop, "mnuOnTop",
                       QStringLiteral("Immer im Vordergrund"), &frmMenu::mnuOnTop_Click);
    mnu = addSeparator(this, "mnu");
    mnuSetAlarm = addCommand(this, "mnuSetAlarm", QStringLiteral("Alarmzeit einstellen"),
                             &frmMenu::mnuSetAlarm_Click);
    mnuAlarm = addMode(this, core, ClockCore::Alarm, "mnuAlarm", QStringLiteral("Alarm aktivieren"),
                       &frmMenu::mnuAlarm_Click);
    mmu = addSeparator(this, "mmu");
    mnuSkin = addCommand(this, "mnuSkin", QStringLiteral("Skin"), &frmMenu::mnuSkin_Click);
    // Greyed for good: the skin is chosen in the settings file.
    mnuSkin->setEnabled(false);
    mnuNeischt = addSeparator(this, "mnuNeischt");
    mnuSaver = addMode(this, core, ClockCore::Saver, "mnuSaver",
                       QStringLiteral("Saver unterdrücken"), &frmMenu::mnuSaver_Click);
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
    emit aboutRequested();
}

void frmMenu::mnuStdby_Click()
{
    m_state.core.toggle(ClockCore::Standby);
}

void frmMenu::mnuOnTop_Click()
{
    m_state.core.toggle(ClockCore::OnTop);
}

void frmMenu::mnuSetAlarm_Click()
{
    emit setAlarmRequested();
}

void frmMenu::mnuAlarm_Click()
{
    m_state.core.toggle(ClockCore::Alarm);
}

void frmMenu::mnuSkin_Click()
{
    emit skinRequested();
}

void frmMenu::mnuSaver_Click()
{
    m_state.core.toggle(ClockCore::Saver);
}

void frmMenu::mnuKey_Click()
{
    emit keyRequested();
}

void frmMenu::mnuExit_Click()
{
    emit saveRequested();
    // No event runs between the write and the end, and no closing handler.
    if (exitHook) {
        exitHook();
    } else {
        std::_Exit(0);
    }
}
