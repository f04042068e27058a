#include "controls/Transparent.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QWidget>

Transparent::Transparent(QWidget* container) : QObject(container), m_container(container) {}

void Transparent::setMaskColor(QRgb color)
{
    m_color = color;
    ApplyMaskRegion();
}

void Transparent::setMaskPicture(const QImage& picture)
{
    m_picture = picture;
    ApplyMaskRegion();
}

QRegion Transparent::regionOf(const QImage& picture, QRgb maskColor)
{
    if (picture.isNull()) {
        return {};
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    // MaskOutColor: set bits where the colour is not the mask colour.
    const QImage bits =
        rgb.createMaskFromColor(0xFF000000u | (maskColor & 0x00FFFFFFu), Qt::MaskOutColor);
    return QRegion(QBitmap::fromImage(bits));
}

void Transparent::ApplyMaskRegion()
{
    if (m_picture.isNull() || !m_container) {
        return;
    }
    m_container->resize(m_picture.size());
    QCoreApplication::processEvents();
    m_container->setMask(regionOf(m_picture, m_color));
}
