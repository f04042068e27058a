#include "app/AppState.h"
#include "clock/frmClock.h"

// Placeholder bodies; the tick, the tube drawing and the key timer follow.
void frmClock::Timer1_Timer() {}
void frmClock::TubesOff() {}
void frmClock::tmrPlay_Timer() {}
void frmClock::HScroll_Change(int /*tube*/, int /*value*/) {}
