#pragma once

#include <QWidget>
#include <functional>

class QAction;
class QMenu;
struct AppState;

// Owns the context menu and its handlers; created on first use, never shown.
// The four check marks are the program's record of the four modes.
class frmMenu : public QWidget
{
    Q_OBJECT
public:
    explicit frmMenu(AppState& state);

    // Opens the context menu at a global position.
    void popUp(const QPoint& globalPos);

    QMenu* mnuPop = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuNixe = nullptr;
    QAction* mnuStdby = nullptr;
    QAction* mnuOnTop = nullptr;
    QAction* mnu = nullptr;
    QAction* mnuSetAlarm = nullptr;
    QAction* mnuAlarm = nullptr;
    QAction* mmu = nullptr;
    QAction* mnuSkin = nullptr;
    QAction* mnuNeischt = nullptr;
    QAction* mnuSaver = nullptr;
    QAction* mnuKey = nullptr;
    QAction* mnuNix = nullptr;
    QAction* mnuExit = nullptr;

    void mnuAbout_Click();
    void mnuStdby_Click();
    void mnuOnTop_Click();
    void mnuSetAlarm_Click();
    void mnuAlarm_Click();
    void mnuSkin_Click();
    void mnuSaver_Click();
    void mnuKey_Click();
    // Saves the eight keys and ends the program at once; does not return in
    // the program (tests can replace the end with exitHook).
    void mnuExit_Click();

    // What ends the program after saving; tests replace it.
    std::function<void()> exitHook;

signals:
    // The window commands; the composition opens the windows.
    void aboutRequested();
    void setAlarmRequested();
    void skinRequested();
    void keyRequested();
    // Save the eight keys now; the end follows at once.
    void saveRequested();

private:
    AppState& m_state;
};
