#include "menu/frmMenu.h"

#include "core/AppState.h"
#include "core/ClockCore.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace {

using Handler = void (frmMenu::*)();

QAction* addCommand(frmMenu* menu, const char* name, const QString& caption, Handler handler)
{
    QAction* entry = menu->popupMenu()->addAction(caption);
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
    QAction* entry = menu->popupMenu()->addAction(caption);
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
    QAction* line = menu->popupMenu()->addSeparator();
    line->setObjectName(QLatin1String(name));
    return line;
}

} // namespace

frmMenu::frmMenu(AppState& state, ClockCore& core) : QWidget(nullptr), m_state(state), m_core(core)
{
    setWindowTitle(QStringLiteral("Menu"));
    m_popup = new QMenu(QStringLiteral("Popup"), this);
    m_popup->setObjectName(QStringLiteral("mnuPop"));

    m_about = addCommand(this, "mnuAbout", QStringLiteral("Über..."), &frmMenu::mnuAbout_Click);
    addSeparator(this, "mnuNixe");
    m_standby = addMode(this, core, ClockCore::Standby, "mnuStdby", QStringLiteral("StandBy"),
                        &frmMenu::mnuStdby_Click);
    m_onTop = addMode(this, core, ClockCore::OnTop, "mnuOnTop",
                      QStringLiteral("Immer im Vordergrund"), &frmMenu::mnuOnTop_Click);
    addSeparator(this, "mnu");
    m_setAlarm = addCommand(this, "mnuSetAlarm", QStringLiteral("Alarmzeit einstellen"),
                            &frmMenu::mnuSetAlarm_Click);
    m_alarm = addMode(this, core, ClockCore::Alarm, "mnuAlarm", QStringLiteral("Alarm aktivieren"),
                      &frmMenu::mnuAlarm_Click);
    addSeparator(this, "mmu");
    m_skin = addCommand(this, "mnuSkin", QStringLiteral("Skin"), &frmMenu::mnuSkin_Click);
    // Greyed for good: the skin is chosen in the settings file.
    m_skin->setEnabled(false);
    addSeparator(this, "mnuNeischt");
    m_saver = addMode(this, core, ClockCore::Saver, "mnuSaver",
                      QStringLiteral("Saver unterdrücken"), &frmMenu::mnuSaver_Click);
    m_key =
        addCommand(this, "mnuKey", QStringLiteral("Taste definieren..."), &frmMenu::mnuKey_Click);
    m_lineAfterSaver = addSeparator(this, "mnuNix");
    m_exit = addCommand(this, "mnuExit", QStringLiteral("Beenden"), &frmMenu::mnuExit_Click);
}

void frmMenu::popUp(const QPoint& globalPos)
{
    m_popup->popup(globalPos);
}

void frmMenu::showSaverEntries(bool shown)
{
    for (QAction* entry : {m_saver, m_key, m_lineAfterSaver}) {
        entry->setVisible(shown);
    }
}

void frmMenu::mnuAbout_Click()
{
    emit aboutRequested();
}

void frmMenu::mnuStdby_Click()
{
    m_core.toggle(ClockCore::Standby);
}

void frmMenu::mnuOnTop_Click()
{
    m_core.toggle(ClockCore::OnTop);
}

void frmMenu::mnuSetAlarm_Click()
{
    emit setAlarmRequested();
}

void frmMenu::mnuAlarm_Click()
{
    m_core.toggle(ClockCore::Alarm);
}

void frmMenu::mnuSkin_Click()
{
    emit skinRequested();
}

void frmMenu::mnuSaver_Click()
{
    m_core.toggle(ClockCore::Saver);
}

void frmMenu::mnuKey_Click()
{
    emit keyRequested();
}

void frmMenu::mnuExit_Click()
{
    emit exitRequested();
}
