#include "platform/x11/X11DesktopLayer.h"

#include "platform/desktop/DesktopHints.h"
#include "platform/x11/X11Connection.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace platform::x11 {
namespace {

Q_LOGGING_CATEGORY(lcDesktop, "glimmora.desktop", QtCriticalMsg)

constexpr unsigned long AllDesktops = 0xFFFFFFFFul;

std::vector<unsigned long> longs(Display* dpy, Window window, Atom property, Atom type)
{
    std::vector<unsigned long> values;
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, property, 0, 4096, False, type, &actual, &format, &count,
                           &remaining, &data) == Success &&
        actual == type && format == 32 && data != nullptr) {
        const auto* values32 = reinterpret_cast<const unsigned long*>(data);
        values.assign(values32, values32 + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

Atom atom(Display* dpy, const char* name)
{
    return XInternAtom(dpy, name, False);
}

// _NET_WM_NAME of the window _NET_SUPPORTING_WM_CHECK names; empty without an
// EWMH window manager.
QByteArray windowManagerName(Display* dpy)
{
    const auto check =
        longs(dpy, DefaultRootWindow(dpy), atom(dpy, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW);
    if (check.empty()) {
        return {};
    }
    ErrorTrap trap; // the window manager may just have gone
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    QByteArray name;
    if (XGetWindowProperty(dpy, check.front(), atom(dpy, "_NET_WM_NAME"), 0, 256, False,
                           atom(dpy, "UTF8_STRING"), &actual, &format, &count, &remaining,
                           &data) == Success &&
        format == 8 && data != nullptr) {
        name = QByteArray(reinterpret_cast<const char*>(data), qsizetype(count));
    }
    if (data != nullptr) {
        XFree(data);
    }
    trap.sync(dpy);
    return name;
}

Atom typeAtom(Display* dpy, DesktopWindowType type)
{
    switch (type) {
    case DesktopWindowType::Dock:
        return atom(dpy, "_NET_WM_WINDOW_TYPE_DOCK");
    case DesktopWindowType::Desktop:
        return atom(dpy, "_NET_WM_WINDOW_TYPE_DESKTOP");
    case DesktopWindowType::Splash:
        return atom(dpy, "_NET_WM_WINDOW_TYPE_SPLASH");
    case DesktopWindowType::Normal:
        break;
    }
    return atom(dpy, "_NET_WM_WINDOW_TYPE_NORMAL");
}

void setAtoms(Display* dpy, Window window, Atom property, const std::vector<unsigned long>& atoms)
{
    if (atoms.empty()) {
        XDeleteProperty(dpy, window, property);
        return;
    }
    XChangeProperty(dpy, window, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), int(atoms.size()));
}

// Raises the window within its layer whenever another desktop-type window is
// stacked over it (a click on the desktop raises the desktop's own window).
// Follows the root's stacking list, so it costs nothing while nothing moves.
class DesktopRaiser final : public QObject, public QAbstractNativeEventFilter
{
public:
    DesktopRaiser(QWindow& window, Display* dpy) : QObject(&window), m_window(&window), m_dpy(dpy)
    {
        m_stacking = atom(dpy, "_NET_CLIENT_LIST_STACKING");
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~DesktopRaiser() override
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
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* changed = static_cast<const xcb_property_notify_event_t*>(message);
        if (changed->window == DefaultRootWindow(m_dpy) && changed->atom == m_stacking) {
            raiseIfBuried();
        }
        return false;
    }

private:
    void raiseIfBuried()
    {
        const Window self = m_window->winId();
        const Window root = DefaultRootWindow(m_dpy);
        const auto order = longs(m_dpy, root, m_stacking, XA_WINDOW);
        const auto at = std::find(order.begin(), order.end(), self);
        if (at == order.end()) {
            return;
        }
        const Atom typeProperty = atom(m_dpy, "_NET_WM_WINDOW_TYPE");
        const Atom desktop = atom(m_dpy, "_NET_WM_WINDOW_TYPE_DESKTOP");
        ErrorTrap trap; // windows above may go while they are looked at
        const bool buried = std::any_of(at + 1, order.end(), [&](unsigned long other) {
            const auto types = longs(m_dpy, other, typeProperty, XA_ATOM);
            return std::find(types.begin(), types.end(), desktop) != types.end();
        });
        trap.sync(m_dpy);
        if (!buried) {
            return;
        }
        qCDebug(lcDesktop) << "raised over the desktop's window";
        // As a pager asks (source 2): taken whatever window is active.
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = self;
        e.xclient.message_type = atom(m_dpy, "_NET_RESTACK_WINDOW");
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;
        e.xclient.data.l[1] = None;
        e.xclient.data.l[2] = Above;
        XSendEvent(m_dpy, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(m_dpy);
    }

    QPointer<QWindow> m_window;
    Display* m_dpy;
    Atom m_stacking = None;
};

// Sets the hints of a withdrawn window and maps it again. Window managers
// clear a window's states and desktop once they have withdrawn it, which is
// seen as WM_STATE going, so the hints are set only then. Done on the X
// window itself: Qt would make a new X window at a show after a change of its
// stacking flags.
class Remap final : public QObject, public QAbstractNativeEventFilter
{
public:
    Remap(QWindow& window, Display* dpy, std::function<void()> setHints)
        : QObject(&window), m_window(window.winId()), m_dpy(dpy), m_setHints(std::move(setHints))
    {
        m_wmState = atom(dpy, "WM_STATE");
        QCoreApplication::instance()->installNativeEventFilter(this);
        if (windowManagerName(dpy).isEmpty()) {
            withdraw();
            QTimer::singleShot(0, this, &Remap::finish);
            return;
        }
        // A window mapped a moment ago is withdrawn once it is managed:
        // withdrawn before, the window manager would map it itself.
        if (!longs(dpy, m_window, m_wmState, m_wmState).empty()) {
            withdraw();
        }
        // A window manager that never answers: mapped again all the same.
        QTimer::singleShot(WithdrawWait, this, &Remap::finish);
    }
    ~Remap() override
    {
        if (QCoreApplication::instance()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }

    void setHints(std::function<void()> setHints) { m_setHints = std::move(setHints); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* changed = static_cast<const xcb_property_notify_event_t*>(message);
        if (changed->window == m_window && changed->atom == m_wmState) {
            const auto state = longs(m_dpy, m_window, m_wmState, m_wmState);
            if (!m_withdrawn && !state.empty() && state.front() == NormalState) {
                withdraw();
            } else if (m_withdrawn && (state.empty() || state.front() == WithdrawnState)) {
                QTimer::singleShot(0, this, &Remap::finish);
            }
        }
        return false;
    }

private:
    static constexpr std::chrono::milliseconds WithdrawWait{1000};

    void withdraw()
    {
        m_withdrawn = true;
        XWithdrawWindow(m_dpy, m_window, DefaultScreen(m_dpy));
        XFlush(m_dpy);
    }

    void finish()
    {
        if (m_done) {
            return;
        }
        m_done = true;
        if (!m_withdrawn) {
            XUnmapWindow(m_dpy, m_window);
        }
        m_setHints();
        XMapWindow(m_dpy, m_window);
        XFlush(m_dpy);
        deleteLater();
    }

    Window m_window;
    Display* m_dpy;
    std::function<void()> m_setHints;
    Atom m_wmState = None;
    bool m_withdrawn = false;
    bool m_done = false;
};

class X11DesktopLayer final : public DesktopLayer
{
public:
    explicit X11DesktopLayer(Display* dpy) : m_dpy(dpy) {}

    bool available() const override { return true; }

    void apply(QWindow& window, bool on) override
    {
        const DesktopHints hints = desktopHintsFor(windowManagerName(m_dpy));
        auto setHints = [this, window = QPointer<QWindow>(&window), on, hints] {
            if (window) {
                setHintsOf(*window, on, hints);
            }
        };
        if (m_remap) {
            m_remap->setHints(std::move(setHints)); // the last switch wins
        } else if (window.isVisible()) {
            m_remap = new Remap(window, m_dpy, std::move(setHints));
        } else {
            setHints();
        }
    }

private:
    void setHintsOf(QWindow& window, bool on, const DesktopHints& hints)
    {
        const Window id = window.winId();
        const Atom typeProperty = atom(m_dpy, "_NET_WM_WINDOW_TYPE");
        if (on) {
            if (!m_qtTypes) {
                m_qtTypes = longs(m_dpy, id, typeProperty, XA_ATOM);
            }
            setAtoms(m_dpy, id, typeProperty, {typeAtom(m_dpy, hints.type)});
        } else if (m_qtTypes) {
            setAtoms(m_dpy, id, typeProperty, *std::exchange(m_qtTypes, std::nullopt));
        }
        setStates(id, on, hints.below);
        const Atom desktop = atom(m_dpy, "_NET_WM_DESKTOP");
        if (on) {
            const unsigned long all = AllDesktops;
            XChangeProperty(m_dpy, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&all), 1);
        } else {
            XDeleteProperty(m_dpy, id, desktop); // the current one
        }
        if (on) {
            // Mapped again, it takes no focus from the window in use.
            const auto timeWindow =
                longs(m_dpy, id, atom(m_dpy, "_NET_WM_USER_TIME_WINDOW"), XA_WINDOW);
            const unsigned long never = 0;
            XChangeProperty(m_dpy, timeWindow.empty() ? id : timeWindow.front(),
                            atom(m_dpy, "_NET_WM_USER_TIME"), XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&never), 1);
        }
        XFlush(m_dpy);
        delete m_raiser.data();
        if (on && hints.raiseOverDesktops) {
            m_raiser = new DesktopRaiser(window, m_dpy);
        }
        qCDebug(lcDesktop) << "desktop layer" << on << "type" << int(hints.type);
    }

    // The withdrawn window's _NET_WM_STATE, which its next map hands over.
    void setStates(Window id, bool on, bool below)
    {
        const Atom property = atom(m_dpy, "_NET_WM_STATE");
        const std::vector<unsigned long> ours{
            atom(m_dpy, "_NET_WM_STATE_BELOW"), atom(m_dpy, "_NET_WM_STATE_STICKY"),
            atom(m_dpy, "_NET_WM_STATE_SKIP_TASKBAR"), atom(m_dpy, "_NET_WM_STATE_SKIP_PAGER"),
            atom(m_dpy, "_NET_WM_STATE_ABOVE")};
        auto states = longs(m_dpy, id, property, XA_ATOM);
        states.erase(std::remove_if(states.begin(), states.end(),
                                    [&](unsigned long s) {
                                        return std::find(ours.begin(), ours.end(), s) != ours.end();
                                    }),
                     states.end());
        if (on) {
            states.insert(states.end(), ours.begin() + (below ? 0 : 1), ours.end() - 1);
        }
        setAtoms(m_dpy, id, property, states);
    }

    Display* m_dpy;
    // The types Qt gave the window, for the way back.
    std::optional<std::vector<unsigned long>> m_qtTypes;
    QPointer<DesktopRaiser> m_raiser;
    QPointer<Remap> m_remap;
};

} // namespace

std::unique_ptr<DesktopLayer> makeX11DesktopLayer()
{
    Display* dpy = qtDisplay();
    if (dpy == nullptr) {
        return nullptr;
    }
    return std::make_unique<X11DesktopLayer>(dpy);
}

} // namespace platform::x11
