#pragma once

class frmClock;
class frmMenu;
struct AppState;

// Writes the eight keys of an orderly exit, in their order: the four modes,
// the window position in twips, "ShowSaver" as read and the skin name.
void SaveOnExit(AppState& state, const frmMenu& menu, const frmClock& clock);
