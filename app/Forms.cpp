#include "app/Forms.h"

#include "clock/frmClock.h"
#include "core/AppState.h"
#include "core/ExitSequence.h"
#include "menu/frmMenu.h"

namespace {

// The core's requests to the windows, wired once per state by whichever of the
// clock and the menu window comes first (tests build either alone).
void wireCore(AppState& state)
{
    const char* wired = "glimmora.wired";
    if (state.core.property(wired).toBool()) {
        return;
    }
    state.core.setProperty(wired, true);
    QObject::connect(&state.core, &ClockCore::noticeRequested, &state.core,
                     [&state] { ShowMessageWindow(state); });
}

} // namespace

frmClock& Clock(AppState& state)
{
    wireCore(state);
    if (!state.clockWindow) {
        auto* clock = new frmClock(state);
        state.clockWindow = clock;
        QObject::connect(clock, &frmClock::menuRequested, clock,
                         [&state](QPoint at) { Menu(state).popUp(at); });
        QObject::connect(clock, &frmClock::exitRequested, clock,
                         [&state] { Menu(state).mnuExit_Click(); });
    }
    return static_cast<frmClock&>(*state.clockWindow);
}

frmMenu& Menu(AppState& state)
{
    wireCore(state);
    if (!state.menuWindow) {
        auto* menu = new frmMenu(state);
        state.menuWindow = menu;
        QObject::connect(menu, &frmMenu::aboutRequested, menu,
                         [&state] { ShowIntroWindow(state); });
        QObject::connect(menu, &frmMenu::setAlarmRequested, menu,
                         [&state] { ShowAlarmWindow(state); });
        QObject::connect(menu, &frmMenu::skinRequested, menu, [&state] { ShowSkinsWindow(state); });
        QObject::connect(menu, &frmMenu::keyRequested, menu,
                         [&state] { ShowKeyStrokeWindow(state); });
        QObject::connect(menu, &frmMenu::saveRequested, menu,
                         [&state] { SaveOnExit(state, Clock(state).pos()); });
    }
    return *state.menuWindow;
}
