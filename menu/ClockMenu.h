#pragma once

#include "core/Options.h"

#include <QMenu>
#include <map>

class QAction;
class ClockCore;

// The clock's context menu. An option's entry carries the core's state: its
// mark is set only from the core's optionChanged, and choosing it asks the
// core to toggle. The commands are signals the composition wires.
class ClockMenu : public QMenu
{
    Q_OBJECT
public:
    ClockMenu(ClockCore& core, QWidget* parent);

    QAction* entryFor(Option option) const { return m_options.at(option); }
    QAction* aboutEntry() const { return m_about; }       // mnuAbout
    QAction* setAlarmEntry() const { return m_setAlarm; } // mnuSetAlarm
    QAction* skinEntry() const { return m_skin; }         // mnuSkin
    QAction* keyEntry() const { return m_key; }           // mnuKey
    QAction* exitEntry() const { return m_exit; }         // mnuExit

signals:
    void aboutRequested();
    void setAlarmRequested();
    void skinRequested();
    void keyRequested();
    // "Beenden": the composition ends the program.
    void exitRequested();

private:
    void addOptions(MenuGroup group);
    QAction* addCommand(const char* name, const QString& caption, void (ClockMenu::*signal)());
    // The saver entries and the line below them, where the settings ask for
    // them.
    void showSaverEntries(bool shown);

    ClockCore& m_core;
    std::map<Option, QAction*> m_options;
    QAction* m_about = nullptr;
    QAction* m_setAlarm = nullptr;
    QAction* m_skin = nullptr;
    QAction* m_key = nullptr;
    QAction* m_lineAfterSaver = nullptr;
    QAction* m_exit = nullptr;
};
