#include "controls/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    // We paint every pixel we own ourselves; nothing behind needs drawing.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage keyedOut(const QImage& picture, QRgb colour)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    bool keyed = false;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == (colour & 0x00FFFFFFu)) {
                line[x] = 0;
                keyed = true;
            }
        }
    }
    return keyed ? out.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
}

void PictureBox::setPicture(const QImage& picture)
{
    m_image = picture;
    m_origin = {};
    // A picture with transparent parts (the lamps without their ground) lets
    // what lies behind show; an opaque one spares painting it.
    setAttribute(Qt::WA_OpaquePaintEvent, !shown().hasAlphaChannel());
    update();
}

void PictureBox::setCutColour(QRgb colour)
{
    m_cut = colour;
    m_keyedFrom = 0;
    setAttribute(Qt::WA_OpaquePaintEvent, !shown().hasAlphaChannel());
    update();
}

const QImage& PictureBox::shown()
{
    if (!m_cut) {
        return m_image;
    }
    // Drawing into image() changes its cache key.
    if (m_keyedFrom != m_image.cacheKey()) {
        m_keyed = keyedOut(m_image, *m_cut);
        if (m_keyed.isNull()) {
            m_keyed = m_image;
        }
        m_keyed.setDevicePixelRatio(m_image.devicePixelRatio());
        m_keyedFrom = m_image.cacheKey();
    }
    return m_keyed;
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
    const QImage& picture = shown();
    // Qt clips a widget's painter to the region being repainted.
    QPainter p(this);
    // A picture at a higher device pixel ratio covers its logical size.
    const QRect covered = QRect(m_origin, picture.deviceIndependentSize().toSize());
    if (!covered.contains(event->rect())) {
        p.fillRect(event->rect(), m_back);
    }
    p.drawImage(m_origin, picture);
}

ClickArea::ClickArea(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
    installAccessibleFactory();
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
