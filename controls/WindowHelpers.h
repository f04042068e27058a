#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <cstdint>

class QWidget;
struct AppState;

// Centres a window by its outer size on the screen holding the centre of
// `onScreenOf` (the window itself when null): horizontally centred, its
// vertical centre at 42.5 % of the screen height, never above or left of it.
void CenterForm(QWidget* window, const QWidget* onScreenOf = nullptr);

// The screens' full geometries, the primary screen first.
QList<QRect> screenRects();

// Puts a window into the window manager's above-others band without moving or
// hiding it, then lets pending events run once.
void MakeTopMost(QWidget* window);

// -1: into the above band; 0: out of it; anything else: raise within its band.
void SetTopMost(QWidget* window, std::int16_t onTop);

// Whether the window is in the above band as we set it (Qt's widget flags do
// not follow changes made on the native window).
bool isTopMost(const QWidget* window);

// A message box with only an OK button: kind 1 information, 2 exclamation,
// 3 critical, 4 question; any other kind shows nothing. An empty title becomes
// AppTitle (the caller's variable is changed).
void ShowMessage(const AppState& state, const QString& text, std::int16_t kind, QString& title);

// Opens a file or web address with the desktop's associated program; never
// through a shell command line. Failures are not reported.
void OpenDocument(const QString& target);
