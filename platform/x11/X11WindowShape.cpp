#include "platform/x11/X11WindowShape.h"

#include "platform/x11/X11Connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <xcb/xcb.h>

#include <cstring>

namespace platform::x11 {
namespace {

// A compositor draws a shaped window's shadow from its rectangle, minus the
// shape: the cut-away parts would lie in a dark box. The hint that turns the
// shadow off (_COMPTON_SHADOW 0) is read from the window the compositor
// draws, the window manager's frame where there is one: it is set on the
// window and on its frame at every map, as frames come and go with maps.
class ShadowOptOut final : public QObject, public QAbstractNativeEventFilter
{
public:
    ShadowOptOut(QWindow& window, Display* dpy) : QObject(&window), m_window(&window), m_dpy(dpy)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
        optOut();
    }
    ~ShadowOptOut() override
    {
        if (QCoreApplication::instance()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || !m_window) {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const auto kind = event->response_type & 0x7F;
        if (kind == XCB_REPARENT_NOTIFY &&
            static_cast<const xcb_reparent_notify_event_t*>(message)->window == m_window->winId()) {
            optOut();
        } else if (kind == XCB_MAP_NOTIFY &&
                   static_cast<const xcb_map_notify_event_t*>(message)->window ==
                       m_window->winId()) {
            optOut();
        }
        return false;
    }

private:
    void optOut()
    {
        const Atom hint = XInternAtom(m_dpy, "_COMPTON_SHADOW", False);
        const unsigned long none = 0;
        ErrorTrap trap; // the frame may go while it is looked at
        Window window = m_window->winId();
        while (window != None) {
            XChangeProperty(m_dpy, window, hint, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&none), 1);
            window = parentBelowRoot(window);
        }
        trap.sync(m_dpy);
    }

    // The parent of `window` unless that is the root; None then.
    Window parentBelowRoot(Window window)
    {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_dpy, window, &root, &parent, &children, &count)) {
            return None;
        }
        if (children != nullptr) {
            XFree(children);
        }
        return parent == root ? None : parent;
    }

    QPointer<QWindow> m_window;
    Display* m_dpy;
};

class X11WindowShape final : public WindowShape
{
public:
    explicit X11WindowShape(Display* display) : m_display(display) {}

    void apply(QWindow& window, const QImage& mask) override
    {
        const auto id = static_cast<Window>(window.winId());
        if (!m_optOut) {
            m_optOut = new ShadowOptOut(window, m_display);
        }
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
    QPointer<ShadowOptOut> m_optOut;
};

} // namespace

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
