#include "controls/WindowOutline.h"

#include "core/DoubledPictures.h"
#include "platform/Backends.h"

#include <QPalette>
#include <QWidget>
#include <QWindow>

WindowOutline::WindowOutline(QWidget* container)
    : QObject(container), m_container(container),
      m_color(container ? container->palette().color(QPalette::Button) : QColor(Qt::lightGray))
{
    // A 32-bit window, also where no compositor runs yet: one that starts
    // later shadows a 24-bit window's whole rectangle, cut-away parts
    // included (xcompmgr -c), and KWin takes it as opaque whatever its X
    // shape, leaving a ghost in the cut-away parts after a move. Without a
    // compositor the shape alone decides what shows.
    if (container) {
        container->setAttribute(Qt::WA_TranslucentBackground);
    }
}

WindowOutline::~WindowOutline() = default;

void WindowOutline::setMaskColor(const QColor& color)
{
    m_color = color;
    ApplyMaskRegion();
}

void WindowOutline::setMaskPicture(const QImage& picture)
{
    m_picture = picture;
    ApplyMaskRegion();
}

QRegion WindowOutline::regionOf(const QImage& picture, const QColor& maskColor)
{
    return platform::regionOfMask(platform::keptPixels(picture, maskColor.rgb()));
}

void WindowOutline::ApplyMaskRegion()
{
    if (m_picture.isNull() || !m_container) {
        return;
    }
    const QSize logical = m_container->size();
    // The shape goes to the native window as a one-bit mask: a list of the
    // outline's rectangles (QWidget::setMask, QWindow::setMask) grows with
    // the outline, and a ragged face of a few thousand pixels makes one X
    // request larger than the server takes, which ends the connection. It
    // also spares Qt clipping every repaint against those rectangles.
    m_container->winId();
    QWindow* native = m_container->windowHandle();
    if (!native) {
        return;
    }
    if (!m_shape) {
        m_shape = platform::makeWindowShape();
    }
    // One bit per device pixel. A picture drawn at the device's size (a
    // face's "@2x" companion at a zoom of 1) gives the outline at its own
    // resolution; any other is scaled without blending, which keeps its
    // exact colours.
    const qreal scale = native->devicePixelRatio();
    const QSize device = deviceSize(logical, scale);
    QImage mask;
    if (m_picture.size() == device) {
        mask = platform::keptPixels(m_picture, m_color.rgb());
    } else {
        mask = platform::keptPixels(
            m_picture.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation), m_color.rgb());
    }
    mask.setDevicePixelRatio(scale);
    m_shape->apply(*native, mask);
}
