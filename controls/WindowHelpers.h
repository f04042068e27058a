#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;
struct AppState;

// Centres a window by its outer size on the screen holding the centre of
// `onScreenOf` (the window itself when null): horizontally centred, its
// vertical centre at 42.5 % of the screen height, never above or left of it.
void centreWindow(QWidget* window, const QWidget* onScreenOf = nullptr);

// The screens' full geometries, the primary screen first.
QList<QRect> screenRects();

// Puts a window into the window manager's above-others band without moving or
// hiding it.
void putAboveOthers(QWidget* window);

// Into the window manager's above-others band or out of it, and raised.
void setAboveOthers(QWidget* window, bool above);

// Whether the native window asks to stay above others (Qt's widget flags do
// not follow changes made on the native window).
bool isTopMost(const QWidget* window);

// The icon of a message box.
enum class MessageKind
{
    Information,
    Exclamation,
    Critical,
    Question,
};

// A message box with only an OK button. An empty title stands for appTitle.
void showMessage(const AppState& state, const QString& text, MessageKind kind,
                 const QString& title = {});

// Opens a file or web address with the desktop's associated program; never
// through a shell command line. Failures are not reported.
void openDocument(const QString& target);
