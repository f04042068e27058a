#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class FileListBox;
class KeyScrollBar;
struct AppState;
class ClockCore;

// Sets the one daily alarm time, lets the user listen to the program
// directory's sound files, and stores the time at once when applied.
class AlarmDialog : public QDialog
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    AlarmDialog(AppState& state, ClockCore& core, const QWidget* over = nullptr);

    // Centres, goes above others, shows the stored time and lists the sounds.
    void prepare();

    void showHour();
    void showMinute();
    void applyAlarmTime(); // "ÜBERNEHMEN"
    void cancel(); // "Abbrechen"
    void takeCurrentTime(); // "Aktuelle Zeit holen"
    void playSelectedSound();
    void removeSelectedAlarm();

    // The controls; their form names are their object names.
    QPushButton* applyButton() const { return m_applyButton; }             // Command1
    QLabel* hourLabel() const { return m_hourLabel; }                      // lblHour
    QLabel* colonLabel() const { return m_colonLabel; }                    // Label1
    QLabel* minuteLabel() const { return m_minuteLabel; }                  // lblMinutes
    KeyScrollBar* hourSelector() const { return m_hourSelector; }          // HScroll1
    KeyScrollBar* minuteSelector() const { return m_minuteSelector; }      // HScroll2
    QPushButton* currentTimeButton() const { return m_currentTimeButton; } // Command3
    QPushButton* addToListButton() const
    {
        return m_addToListButton;
    } // Command4; the alarm list has no behaviour
    QLabel* soundsCaption() const { return m_soundsCaption; }       // Label2
    FileListBox* soundList() const { return m_soundList; }          // File1
    QLabel* alarmListCaption() const { return m_alarmListCaption; } // Label3
    QListWidget* alarmList() const { return m_alarmList; }          // List1; stays empty
    QPushButton* cancelButton() const { return m_cancelButton; }    // Command2
    QMenu* alarmListMenu() const { return m_alarmListMenu; }        // mnuPop; never popped up
    QAction* removeEntry() const { return m_removeEntry; }          // mnuRemove

private:
    QPushButton* m_applyButton = nullptr;
    QLabel* m_hourLabel = nullptr;
    QLabel* m_colonLabel = nullptr;
    QLabel* m_minuteLabel = nullptr;
    KeyScrollBar* m_hourSelector = nullptr;
    KeyScrollBar* m_minuteSelector = nullptr;
    QPushButton* m_currentTimeButton = nullptr;
    QPushButton* m_addToListButton = nullptr;
    QLabel* m_soundsCaption = nullptr;
    FileListBox* m_soundList = nullptr;
    QLabel* m_alarmListCaption = nullptr;
    QListWidget* m_alarmList = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QMenu* m_alarmListMenu = nullptr;
    QAction* m_removeEntry = nullptr;
    void buildControls();
    // Names and descriptions for screen readers.
    void describeControls();

    AppState& m_state;
    ClockCore& m_core;
    const QWidget* m_over;
};
