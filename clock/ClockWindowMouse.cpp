#include "clock/ClockWindow.h"

#include "menu/ClockMenu.h"
#include "core/AppState.h"
#include "core/ClockCore.h"
#include "core/Sound.h"

#include <QEvent>
#include <QMouseEvent>
#include <algorithm>

void ClockWindow::onPress(Qt::MouseButton button, QPointF local, QPointF global)
{
    if (button == Qt::LeftButton) {
        m_dragging = true;
        m_dragStart = local;
        m_pressGlobal = global.toPoint();
        m_windowAtPress = pos();
        return;
    }
    m_menu->popup(global.toPoint());
}

void ClockWindow::onMove(QPointF global)
{
    if (!m_dragging) {
        return;
    }
    // Window moves are asynchronous on X11, so widget-local deltas would
    // jitter; the same effect from global positions keeps the pressed point
    // under the pointer, pixel for pixel.
    move(m_windowAtPress + (global.toPoint() - m_pressGlobal));
}

void ClockWindow::onRelease()
{
    m_dragging = false;
}

void ClockWindow::faceDoubleClicked()
{
    emit exitRequested();
}

void ClockWindow::tubeDoubleClicked(int /*index*/)
{
    emit exitRequested();
}

void ClockWindow::powerSwitchClicked()
{
    emit exitRequested();
}

void ClockWindow::standbySwitchClicked(int /*index*/)
{
    m_core.toggle(Option::Standby);
}

void ClockWindow::alarmTestClicked()
{
    playAlarmSound(m_state);
}

void ClockWindow::mousePressEvent(QMouseEvent* event)
{
    onPress(event->button(), event->position(), event->globalPosition());
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event)
{
    onMove(event->globalPosition());
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* /*event*/)
{
    onRelease();
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* surface = qobject_cast<QWidget*>(watched);
    const bool isBack = surface == m_face;
    const auto tube = std::find(m_tubes.begin(), m_tubes.end(), surface);
    const bool isLamp = std::find(m_lamps.begin(), m_lamps.end(), surface) != m_lamps.end();
    if (isLamp) {
        // The lamps take no part in dragging or the menu.
        const QEvent::Type t = event->type();
        return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
               t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove;
    }
    if (!isBack && tube == m_tubes.end()) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        onPress(e->button(), e->position(), e->globalPosition());
        return true;
    }
    case QEvent::MouseMove:
        onMove(static_cast<QMouseEvent*>(event)->globalPosition());
        return true;
    case QEvent::MouseButtonRelease:
        onRelease();
        return true;
    case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton) {
            // A quick second press of another button is a press like any
            // other: it opens the menu again.
            onPress(e->button(), e->position(), e->globalPosition());
            return true;
        }
        if (isBack) {
            faceDoubleClicked();
        } else {
            tubeDoubleClicked(static_cast<int>(tube - m_tubes.begin()));
        }
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}
