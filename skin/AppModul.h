#pragma once

#include <QString>

class frmClock;
struct AppState;

// Loads the skin in `path` (a skin directory ending in "/") into the clock
// window: face, strips, face size, tube and switch rectangles.
void LoadSkin(frmClock& clock, AppState& state, const QString& path);
