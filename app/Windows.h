#pragma once

#include <QObject>
#include <QPointer>
#include <qwindowdefs.h>

struct AppState;
class ClockCore;
class AlarmDialog;
class ClockWindow;
class AboutWindow;
class KeyDialog;
class ClockMenu;
class AlarmNotice;
class SkinChooser;
class SaverMode;

// The program's windows, each created on first use and wired here to the
// others and to the core, so windows never reach each other. The clock and
// its menu live as long as this; dialogs exist at most once,
// open over the clock and delete themselves when closed.
class Windows : public QObject
{
    Q_OBJECT
public:
    Windows(AppState& state, ClockCore& core);
    // Deletes the windows still there.
    ~Windows() override;

    // The clock window, wired: its menu's commands open the dialogs, its
    // exits are the program's.
    ClockWindow& clock();
    ClockMenu& menu();

    void showAbout();
    void showAlarm();
    void showNotice();
    void showSkins();
    void showKeyStroke();

    // The dialogs while they are open; null otherwise.
    AboutWindow* about() const;
    AlarmDialog* alarm() const;
    AlarmNotice* notice() const;
    SkinChooser* skins() const;
    KeyDialog* keyStroke() const;

    // The saver mode: on and off with the core's saver switch, pressing the
    // core's key code, on behalf of the clock's window.
    SaverMode* saverMode() const { return m_saverMode; }

signals:
    // A window asks for the program's end (ProgramEnd carries it out).
    void exitRequested();

private:
    // The clock's X window for the desktop's idle inhibit; 0 without a clock
    // or off X11.
    WId clockWindowId() const;

    AppState& m_state;
    ClockCore& m_core;
    SaverMode* m_saverMode = nullptr;
    QPointer<ClockWindow> m_clock;
    QPointer<AboutWindow> m_about;
    QPointer<AlarmDialog> m_alarm;
    QPointer<AlarmNotice> m_notice;
    QPointer<SkinChooser> m_skins;
    QPointer<KeyDialog> m_keyStroke;
};
