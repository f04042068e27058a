#pragma once

#include <QObject>
#include <QPointer>

struct AppState;
class frmAlarm;
class frmClock;
class frmIntro;
class frmKeyStroke;
class frmMenu;
class frmMessage;
class frmSkins;

// The program's windows, each created on first use and wired here to the
// others and to the core, so windows never reach each other. The clock and the
// never-shown menu window live as long as this; dialogs exist at most once,
// open over the clock and delete themselves when closed.
class Windows : public QObject
{
    Q_OBJECT
public:
    explicit Windows(AppState& state);
    // Deletes the windows still there.
    ~Windows() override;

    // The clock window, wired: the menu at a press of another button, the
    // exit, the alarm notice.
    frmClock& clock();
    // The menu window: its commands open the dialogs, its exit is the
    // program's.
    frmMenu& menu();

    void showAbout();
    void showAlarm();
    void showNotice();
    void showSkins();
    void showKeyStroke();

    // The dialogs while they are open; null otherwise.
    frmIntro* about() const;
    frmAlarm* alarm() const;
    frmMessage* notice() const;
    frmSkins* skins() const;
    frmKeyStroke* keyStroke() const;

signals:
    // A window asks for the program's end (ProgramEnd carries it out).
    void exitRequested();

private:
    AppState& m_state;
    QPointer<frmClock> m_clock;
    QPointer<frmMenu> m_menu;
    QPointer<frmIntro> m_about;
    QPointer<frmAlarm> m_alarm;
    QPointer<frmMessage> m_notice;
    QPointer<frmSkins> m_skins;
    QPointer<frmKeyStroke> m_keyStroke;
};
