#pragma once

#include <QList>
#include <QPair>
#include <QPoint>
#include <QString>

struct AppState;
class ClockCore;

// The eight keys of an orderly exit, in their order: the four modes, the
// clock window's position in twips, "ShowSaver" as read and the skin name.
QList<QPair<QString, QString>> exitKeys(const ClockCore& core, QPoint clockPosition);

// Writes them in one replace of the settings file: whatever ends the program
// meanwhile leaves the old file or the new one.
void SaveOnExit(const AppState& state, const ClockCore& core, QPoint clockPosition);
