#include "controls/Transparent.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QPalette>
#include <QWidget>
#include <QWindow>

Transparent::Transparent(QWidget* container)
    : QObject(container), m_container(container),
      m_color(container ? container->palette().color(QPalette::Button) : QColor(Qt::lightGray))
{}

void Transparent::setMaskColor(const QColor& color)
{
    m_color = color;
    ApplyMaskRegion();
}

void Transparent::setMaskPicture(const QImage& picture)
{
    m_picture = picture;
    ApplyMaskRegion();
}

QRegion Transparent::regionOf(const QImage& picture, const QColor& maskColor)
{
    if (picture.isNull()) {
        return {};
    }
    // Compare opaque pixel values: the picture in a 32-bit opaque format and
    // the colour with full alpha. MaskInColor marks the mask-coloured pixels,
    // which the bitmap's colour table turns into the cut-away ones.
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QImage bits =
        rgb.createMaskFromColor(0xFF000000u | (maskColor.rgb() & 0x00FFFFFFu), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(bits));
}

void Transparent::ApplyMaskRegion()
{
    if (m_picture.isNull() || !m_container) {
        return;
    }
    m_container->resize(m_picture.size());
    QCoreApplication::processEvents();
    QRegion shape = regionOf(m_picture, m_color);
    if (shape.isEmpty()) {
        // An empty mask would mean "no shape" to the window system, showing the
        // whole window; a region beside the window leaves nothing of it.
        shape = QRegion(-1, -1, 1, 1);
    }
    // The shape goes to the native window: the same X SHAPE, for drawing and
    // for input, that QWidget::setMask gives, without Qt also clipping every
    // repaint against the few hundred rectangles of the outline (measured:
    // a third of what the running clock executes).
    m_container->winId();
    if (QWindow* native = m_container->windowHandle()) {
        native->setMask(shape);
    }
}
