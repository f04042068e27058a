#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct AppState;

// The alarm notice: "Alarmzeit erreicht" with one button that acknowledges
// the alarm and silences it. Closing it any other way leaves the alarm
// ringing until its minute is over.
class frmMessage : public QDialog
{
    Q_OBJECT
public:
    explicit frmMessage(AppState& state);

    // Centres the window and puts it above others.
    void Form_Load();

    // "O K": acknowledged for the rest of the alarm minute.
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppState& m_state;
};

// Shows the window, which exists at most once: created and loaded when it is
// not open, brought forward when it is.
void ShowMessageWindow(AppState& state);
