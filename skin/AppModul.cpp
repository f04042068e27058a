#include "skin/AppModul.h"

#include "app/AppState.h"
#include "clock/frmClock.h"

void LoadSkin(frmClock& /*clock*/, AppState& state, const QString& path)
{
    state.SkinFilePath = path + QStringLiteral("SkinFile.ini");
    state.LastSeconds = QStringLiteral("99");
    state.LastMinutes = QStringLiteral("99");
    state.LastHours = QStringLiteral("99");
}
