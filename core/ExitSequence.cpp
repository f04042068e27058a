#include "core/ExitSequence.h"

#include "core/AppState.h"
#include "core/CenterMath.h"
#include "core/Settings.h"

namespace {

QString flag(const AppState& state, ClockCore::Mode mode)
{
    return state.core.isOn(mode) ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QList<QPair<QString, QString>> exitKeys(const AppState& state, QPoint clockPosition)
{
    return {
        {QStringLiteral("StandBy"), flag(state, ClockCore::Standby)},
        {QStringLiteral("OnTop"), flag(state, ClockCore::OnTop)},
        {QStringLiteral("X"), QString::number(qint64(clockPosition.x()) * TwipsPerPixel)},
        {QStringLiteral("Y"), QString::number(qint64(clockPosition.y()) * TwipsPerPixel)},
        {QStringLiteral("Saver"), flag(state, ClockCore::Saver)},
        {QStringLiteral("Alarm"), flag(state, ClockCore::Alarm)},
        {QStringLiteral("ShowSaver"), QString::number(state.ShowSaver)},
        {QStringLiteral("Skin"), state.SkinName},
    };
}

void SaveOnExit(AppState& state, QPoint clockPosition)
{
    WriteSettings(state, exitKeys(state, clockPosition));
}
