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

// Sets the one daily alarm time, lets the user listen to the program
// directory's sound files, and stores the time at once when applied.
class frmAlarm : public QDialog
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    explicit frmAlarm(AppState& state, const QWidget* over = nullptr);

    // Centres, goes above others, shows the stored time and lists the sounds.
    void Form_Load();

    void HScroll1_Change();
    void HScroll1_Scroll();
    void HScroll2_Change();
    void HScroll2_Scroll();
    void Command1_Click(); // "ÜBERNEHMEN"
    void Command2_Click(); // "Abbrechen"
    void Command3_Click(); // "Aktuelle Zeit holen"
    void File1_Click();
    void mnuRemove_Click();

    QPushButton* Command1 = nullptr;
    QLabel* lblHour = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblMinutes = nullptr;
    KeyScrollBar* HScroll1 = nullptr;
    KeyScrollBar* HScroll2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr; // the alarm list has no behaviour
    QLabel* Label2 = nullptr;
    FileListBox* File1 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* List1 = nullptr; // stays empty
    QPushButton* Command2 = nullptr;
    QMenu* mnuPop = nullptr; // never popped up
    QAction* mnuRemove = nullptr;

private:
    void buildControls();

    AppState& m_state;
    const QWidget* m_over;
};
