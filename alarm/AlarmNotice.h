#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct AppState;
class ClockCore;

// The alarm notice: "Alarmzeit erreicht" with one button that acknowledges
// the alarm and silences it. Closing it any other way leaves the alarm
// ringing until its minute is over.
class AlarmNotice : public QDialog
{
    Q_OBJECT
public:
    // `over`: the window it opens over (centred on that one's screen).
    AlarmNotice(AppState& state, ClockCore& core, const QWidget* over = nullptr);

    // Centres the window and puts it above others.
    void prepare();

    // "O K": acknowledged for the rest of the alarm minute.
    void acknowledge();

    // The controls; their form names are their object names.
    QLabel* messageLabel() const { return m_messageLabel; } // Label1
    QPushButton* okButton() const { return m_okButton; }    // Command1

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_messageLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    AppState& m_state;
    ClockCore& m_core;
    const QWidget* m_over;
};
