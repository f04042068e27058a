#include "app/Forms.h"

#include "app/AppState.h"
#include "clock/frmClock.h"
#include "menu/frmMenu.h"

frmClock& Clock(AppState& state)
{
    if (!state.clockWindow) {
        state.clockWindow = new frmClock(state);
    }
    return *state.clockWindow;
}

frmMenu& Menu(AppState& state)
{
    if (!state.menuWindow) {
        state.menuWindow = new frmMenu(state);
    }
    return *state.menuWindow;
}
