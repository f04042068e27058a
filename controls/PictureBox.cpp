#include "controls/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    // We paint every pixel we own ourselves; nothing behind needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setPicture(const QImage& picture)
{
    m_image = picture;
    m_origin = {};
    // A picture with transparent parts (the lamps without their ground) lets
    // what lies behind show; an opaque one spares painting it.
    setAttribute(Qt::WA_OpaquePaintEvent, !picture.hasAlphaChannel());
    update();
}

QRect PictureBox::visibleRect() const
{
    QRect seen = rect();
    QPoint offset;
    for (const QWidget* w = this; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
        offset += w->pos();
        seen &= w->parentWidget()->rect().translated(-offset);
    }
    return seen;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    // A picture at a higher device pixel ratio covers its logical size.
    const QRect shown = QRect(m_origin, m_image.deviceIndependentSize().toSize());
    if (!shown.contains(event->rect())) {
        p.fillRect(event->rect(), m_back);
    }
    p.drawImage(m_origin, m_image);
}

ClickArea::ClickArea(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void ClickArea::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (m_pressed && event->button() == Qt::LeftButton && inside) {
        m_pressed = false;
        Q_EMIT clicked();
    }
    m_pressed = false;
    event->accept();
}

void ClickArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click is no click of its own: a quick
    // double-click on the standby switch toggles once, not twice.
    m_pressed = false;
    event->accept();
}
