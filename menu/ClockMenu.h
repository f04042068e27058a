#pragma once

#include <QWidget>

class QAction;
class QMenu;
struct AppState;
class ClockCore;

// Owns the context menu and its handlers; created on first use, never shown.
// The four check marks mirror the core's modes (ClockCore holds them); a mark
// set by hand sets the core's mark.
class ClockMenu : public QWidget
{
    Q_OBJECT
public:
    ClockMenu(AppState& state, ClockCore& core);

    // Opens the context menu at a global position.
    void popUp(const QPoint& globalPos);

    // The context menu (mnuPop) and its entries; their form names are their
    // object names.
    QMenu* popupMenu() const { return m_popup; }
    QAction* aboutEntry() const { return m_about; }       // mnuAbout
    QAction* standbyEntry() const { return m_standby; }   // mnuStdby
    QAction* onTopEntry() const { return m_onTop; }       // mnuOnTop
    QAction* setAlarmEntry() const { return m_setAlarm; } // mnuSetAlarm
    QAction* alarmEntry() const { return m_alarm; }       // mnuAlarm
    QAction* skinEntry() const { return m_skin; }         // mnuSkin
    QAction* saverEntry() const { return m_saver; }       // mnuSaver
    QAction* keyEntry() const { return m_key; }           // mnuKey
    QAction* exitEntry() const { return m_exit; }         // mnuExit

    // The saver entry, the key entry and the line below them, shown only
    // where the settings ask for them.
    void showSaverEntries(bool shown);

    void requestAbout();
    void toggleStandby();
    void toggleOnTop();
    void requestAlarmDialog();
    void toggleAlarm();
    void requestSkinChooser();
    void toggleSaver();
    void requestKeyDialog();
    // Asks for the program's end, as every other way out does.
    void requestExit();

signals:
    // The window commands; the composition opens the windows.
    void aboutRequested();
    void setAlarmRequested();
    void skinRequested();
    void keyRequested();
    // "Beenden": the composition ends the program.
    void exitRequested();

private:
    AppState& m_state;
    ClockCore& m_core;
    QMenu* m_popup = nullptr;
    QAction* m_about = nullptr;
    QAction* m_standby = nullptr;
    QAction* m_onTop = nullptr;
    QAction* m_setAlarm = nullptr;
    QAction* m_alarm = nullptr;
    QAction* m_skin = nullptr;
    QAction* m_saver = nullptr;
    QAction* m_key = nullptr;
    QAction* m_lineAfterSaver = nullptr;
    QAction* m_exit = nullptr;
};
