#include "clock/PictureBox.h"

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
    // A picture with transparent parts (the lamps without their ground) lets
    // what lies behind show; an opaque one spares painting it.
    setAttribute(Qt::WA_OpaquePaintEvent, !picture.hasAlphaChannel());
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setClipRegion(event->region());
    const QRect shown = rect() & m_image.rect();
    if (shown != rect()) {
        p.fillRect(rect(), m_back);
    }
    p.drawImage(QPoint(0, 0), m_image);
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
