#include "menu/ClockMenu.h"

#include "core/AppState.h"
#include "core/ClockCore.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace {

using Handler = void (ClockMenu::*)();

QAction* addCommand(ClockMenu* menu, const char* name, const QString& caption, Handler handler)
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
QAction* addMode(ClockMenu* menu, ClockCore& core, ClockCore::Mode mode, const char* name,
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

QAction* addSeparator(ClockMenu* menu, const char* name)
{
    QAction* line = menu->popupMenu()->addSeparator();
    line->setObjectName(QLatin1String(name));
    return line;
}

} // namespace

ClockMenu::ClockMenu(AppState& state, ClockCore& core) : QWidget(nullptr), m_state(state), m_core(core)
{
    setWindowTitle(QStringLiteral("Menu"));
    m_popup = new QMenu(QStringLiteral("Popup"), this);
    m_popup->setObjectName(QStringLiteral("mnuPop"));

    m_about = addCommand(this, "mnuAbout", QStringLiteral("Über..."), &ClockMenu::requestAbout);
    addSeparator(this, "mnuNixe");
    m_standby = addMode(this, core, ClockCore::Standby, "mnuStdby", QStringLiteral("StandBy"),
                        &ClockMenu::toggleStandby);
    m_onTop = addMode(this, core, ClockCore::OnTop, "mnuOnTop",
                      QStringLiteral("Immer im Vordergrund"), &ClockMenu::toggleOnTop);
    addSeparator(this, "mnu");
    m_setAlarm = addCommand(this, "mnuSetAlarm", QStringLiteral("Alarmzeit einstellen"),
                            &ClockMenu::requestAlarmDialog);
    m_alarm = addMode(this, core, ClockCore::Alarm, "mnuAlarm", QStringLiteral("Alarm aktivieren"),
                      &ClockMenu::toggleAlarm);
    addSeparator(this, "mmu");
    m_skin = addCommand(this, "mnuSkin", QStringLiteral("Skin"), &ClockMenu::requestSkinChooser);
    // Greyed for good: the skin is chosen in the settings file.
    m_skin->setEnabled(false);
    addSeparator(this, "mnuNeischt");
    m_saver = addMode(this, core, ClockCore::Saver, "mnuSaver",
                      QStringLiteral("Saver unterdrücken"), &ClockMenu::toggleSaver);
    m_key =
        addCommand(this, "mnuKey", QStringLiteral("Taste definieren..."), &ClockMenu::requestKeyDialog);
    m_lineAfterSaver = addSeparator(this, "mnuNix");
    m_exit = addCommand(this, "mnuExit", QStringLiteral("Beenden"), &ClockMenu::requestExit);
}

void ClockMenu::popUp(const QPoint& globalPos)
{
    m_popup->popup(globalPos);
}

void ClockMenu::showSaverEntries(bool shown)
{
    for (QAction* entry : {m_saver, m_key, m_lineAfterSaver}) {
        entry->setVisible(shown);
    }
}

void ClockMenu::requestAbout()
{
    emit aboutRequested();
}

void ClockMenu::toggleStandby()
{
    m_core.toggle(ClockCore::Standby);
}

void ClockMenu::toggleOnTop()
{
    m_core.toggle(ClockCore::OnTop);
}

void ClockMenu::requestAlarmDialog()
{
    emit setAlarmRequested();
}

void ClockMenu::toggleAlarm()
{
    m_core.toggle(ClockCore::Alarm);
}

void ClockMenu::requestSkinChooser()
{
    emit skinRequested();
}

void ClockMenu::toggleSaver()
{
    m_core.toggle(ClockCore::Saver);
}

void ClockMenu::requestKeyDialog()
{
    emit keyRequested();
}

void ClockMenu::requestExit()
{
    emit exitRequested();
}
