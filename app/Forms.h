#pragma once

// The composition of the windows: each is created on first use and wired to
// the others and to the core here, so windows never reach each other.
#include "about/frmIntro.h"
#include "alarm/frmAlarm.h"
#include "alarm/frmMessage.h"
#include "keys/frmKeyStroke.h"
#include "skin/frmSkins.h"

struct AppState;
class frmClock;
class frmMenu;

// The clock window; exists from start-up on. Created with its wiring: the
// menu at a press of another button, the exit, the alarm notice.
frmClock& Clock(AppState& state);

// The menu window, created on first use and never shown; its commands open
// the dialogs, its exit saves with the clock window's position.
frmMenu& Menu(AppState& state);
