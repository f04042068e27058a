#include "menu/ExitSequence.h"

#include "app/AppState.h"
#include "app/CenterMath.h"
#include "app/Settings.h"
#include "clock/frmClock.h"
#include "menu/frmMenu.h"

#include <QAction>

namespace {

QString flag(const QAction* entry)
{
    return entry->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

void SaveOnExit(AppState& state, const frmMenu& menu, const frmClock& clock)
{
    const QPoint pos = clock.pos();
    WriteSetting(state, QStringLiteral("StandBy"), flag(menu.mnuStdby));
    WriteSetting(state, QStringLiteral("OnTop"), flag(menu.mnuOnTop));
    WriteSetting(state, QStringLiteral("X"), QString::number(qint64(pos.x()) * TwipsPerPixel));
    WriteSetting(state, QStringLiteral("Y"), QString::number(qint64(pos.y()) * TwipsPerPixel));
    WriteSetting(state, QStringLiteral("Saver"), flag(menu.mnuSaver));
    WriteSetting(state, QStringLiteral("Alarm"), flag(menu.mnuAlarm));
    WriteSetting(state, QStringLiteral("ShowSaver"), QString::number(state.ShowSaver));
    WriteSetting(state, QStringLiteral("Skin"), state.SkinName);
}
