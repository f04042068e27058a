#pragma once

struct AppState;
class frmClock;
class frmMenu;

// The clock window; exists from start-up on.
frmClock& Clock(AppState& state);

// The menu window, created on first use and never shown.
frmMenu& Menu(AppState& state);

// Each dialog exists at most once: shown non-modal, created and loaded when it
// is not open, brought forward when it is. Each is defined beside its window.
void ShowAlarmWindow(AppState& state);     // frmAlarm
void ShowMessageWindow(AppState& state);   // frmMessage, the alarm notice
void ShowSkinsWindow(AppState& state);     // frmSkins
void ShowIntroWindow(AppState& state);     // frmIntro
void ShowKeyStrokeWindow(AppState& state); // frmKeyStroke
