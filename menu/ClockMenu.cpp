#include "menu/ClockMenu.h"

#include "core/ClockCore.h"

#include <QAction>

ClockMenu::ClockMenu(ClockCore& core, QWidget* parent) : QMenu(parent), m_core(core)
{
    setObjectName(QStringLiteral("mnuPop"));

    m_about = addCommand("mnuAbout", QStringLiteral("Über..."), &ClockMenu::aboutRequested);
    addSeparator();
    addOptions(MenuGroup::Display);
    addSeparator();
    m_setAlarm = addCommand("mnuSetAlarm", QStringLiteral("Alarmzeit einstellen"),
                            &ClockMenu::setAlarmRequested);
    addOptions(MenuGroup::Alarm);
    addSeparator();
    m_skin = addCommand("mnuSkin", QStringLiteral("Skin"), &ClockMenu::skinRequested);
    // Greyed for good: the skin is chosen in the settings file.
    m_skin->setEnabled(false);
    addSeparator();
    addOptions(MenuGroup::Saver);
    m_key = addCommand("mnuKey", QStringLiteral("Taste definieren..."), &ClockMenu::keyRequested);
    m_lineAfterSaver = addSeparator();
    m_exit = addCommand("mnuExit", QStringLiteral("Beenden"), &ClockMenu::exitRequested);

    connect(&core, &ClockCore::optionChanged, this,
            [this](Option option, bool on) { m_options.at(option)->setChecked(on); });
    showSaverEntries(core.saverEntriesShown());
    connect(&core, &ClockCore::saverEntriesShownChanged, this, &ClockMenu::showSaverEntries);
}

void ClockMenu::addOptions(MenuGroup group)
{
    for (const OptionRow& row : optionRows) {
        if (row.group != group) {
            continue;
        }
        QAction* entry = addAction(QString::fromUtf8(row.caption));
        entry->setObjectName(QLatin1String(row.entryName));
        entry->setCheckable(true);
        entry->setChecked(m_core.isOn(row.option));
        const Option option = row.option;
        // Qt has inverted the mark already; the core's answer sets it again.
        connect(entry, &QAction::triggered, this, [this, option] { m_core.toggle(option); });
        m_options[option] = entry;
    }
}

QAction* ClockMenu::addCommand(const char* name, const QString& caption,
                               void (ClockMenu::*signal)())
{
    QAction* entry = addAction(caption);
    entry->setObjectName(QLatin1String(name));
    connect(entry, &QAction::triggered, this, signal);
    return entry;
}

void ClockMenu::showSaverEntries(bool shown)
{
    for (QAction* entry : {m_options.at(Option::Saver), m_key, m_lineAfterSaver}) {
        entry->setVisible(shown);
    }
}
