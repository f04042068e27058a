#include "controls/WindowHelpers.h"

#include "controls/FramePlacement.h"
#include "core/AppState.h"
#include "core/ScreenChoice.h"
#include "platform/Backends.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace {

void setAboveBand(QWidget* window, bool above)
{
    // Toggling the flag on the QWindow changes _NET_WM_STATE_ABOVE on the same
    // X window; QWidget::setWindowFlag would hide it and create a new one.
    window->winId();
    if (QWindow* handle = window->windowHandle()) {
        Qt::WindowFlags flags = handle->flags();
        flags.setFlag(Qt::WindowStaysOnTopHint, above);
        handle->setFlags(flags);
    }
}

} // namespace

QList<QRect> screenRects()
{
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        rects.append(screen->geometry());
    }
    return rects;
}

void centreWindow(QWidget* window, const QWidget* onScreenOf)
{
    if (!window) {
        return;
    }
    const QList<QRect> screens = screenRects();
    const int screen = screenOfWindow(screens, (onScreenOf ? onScreenOf : window)->frameGeometry());
    if (screen >= 0) {
        centreByOuterSize(window, screens[screen], platform::makeFrameExtents());
    }
}

void putAboveOthers(QWidget* window)
{
    if (!window) {
        return;
    }
    setAboveBand(window, true);
    window->raise();
}

void setAboveOthers(QWidget* window, bool above)
{
    if (!window) {
        return;
    }
    setAboveBand(window, above);
    window->raise();
}

bool isTopMost(const QWidget* window)
{
    const QWindow* handle = window ? window->windowHandle() : nullptr;
    return handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

void showMessage(const AppState& state, const QString& text, MessageKind kind, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Information:
        break;
    case MessageKind::Exclamation:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Critical:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Question:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, title.isEmpty() ? state.appTitle : title, text, QMessageBox::Ok);
    box.exec();
}

void openDocument(const QString& target)
{
    const QFileInfo file(target);
    const QUrl url =
        file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath()) : QUrl::fromUserInput(target);
    if (url.isValid()) {
        QDesktopServices::openUrl(url);
    }
}
