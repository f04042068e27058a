#include "platform/x11/X11WindowShape.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QWindow>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstring>

namespace platform::x11 {
namespace {

class X11WindowShape final : public WindowShape
{
public:
    explicit X11WindowShape(Display* display) : m_display(display) {}

    void apply(QWindow& window, const QImage& mask) override
    {
        const auto id = static_cast<Window>(window.winId());
        const QImage bits = mask.convertToFormat(QImage::Format_MonoLSB);
        if (bits.isNull() || bits.width() <= 0 || bits.height() <= 0) {
            // No pixmap can be empty; no rectangles is the empty shape.
            for (int kind : {ShapeBounding, ShapeInput}) {
                XShapeCombineRectangles(m_display, id, kind, 0, 0, nullptr, 0, ShapeSet, Unsorted);
            }
            XFlush(m_display);
            return;
        }
        // The bitmap file layout: rows padded to bytes, first pixel in the
        // lowest bit, as Format_MonoLSB holds it apart from the row padding.
        const int rowBytes = (bits.width() + 7) / 8;
        QByteArray data(qsizetype{rowBytes} * bits.height(), Qt::Uninitialized);
        for (int y = 0; y < bits.height(); ++y) {
            std::memcpy(data.data() + qsizetype{rowBytes} * y, bits.constScanLine(y),
                        static_cast<std::size_t>(rowBytes));
        }
        const Pixmap pixmap = XCreateBitmapFromData(m_display, id, data.constData(),
                                                    static_cast<unsigned>(bits.width()),
                                                    static_cast<unsigned>(bits.height()));
        if (pixmap == None) {
            return; // the window keeps the shape it had
        }
        XShapeCombineMask(m_display, id, ShapeBounding, 0, 0, pixmap, ShapeSet);
        XShapeCombineMask(m_display, id, ShapeInput, 0, 0, pixmap, ShapeSet);
        XFreePixmap(m_display, pixmap);
        XFlush(m_display);
    }

private:
    Display* m_display;
};

} // namespace

bool compositingManagerRuns()
{
    Display* display = qtDisplay();
    if (display == nullptr) {
        return false;
    }
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.constData(), False);
    return XGetSelectionOwner(display, selection) != None;
}

std::unique_ptr<WindowShape> makeX11WindowShape()
{
    Display* display = qtDisplay();
    int event = 0;
    int error = 0;
    if (display == nullptr || !XShapeQueryExtension(display, &event, &error)) {
        return nullptr;
    }
    return std::make_unique<X11WindowShape>(display);
}

} // namespace platform::x11
