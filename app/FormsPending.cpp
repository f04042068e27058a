// Temporary: dialogs that are not built yet open nothing. Each of these moves
// beside its window when that window exists (delete the line here then).
#include "app/Forms.h"

void ShowAlarmWindow(AppState&) {}
void ShowMessageWindow(AppState&) {}
void ShowSkinsWindow(AppState&) {}
void ShowIntroWindow(AppState&) {}
void ShowKeyStrokeWindow(AppState&) {}
