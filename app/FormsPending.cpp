// Temporary: dialogs that are not built yet open nothing. Each of these moves
// beside its window when that window exists (delete the line here then).
#include "app/Forms.h"

