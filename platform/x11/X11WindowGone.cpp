#include "platform/desktop/WindowGone.h"

#include "platform/Backends.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

namespace platform {
namespace {

class DestroyWatch final : public QObject, public QAbstractNativeEventFilter
{
public:
    DestroyWatch(QWidget& window, std::function<void()> gone)
        : QObject(&window), m_window(&window), m_gone(std::move(gone))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~DestroyWatch() override
    {
        if (QCoreApplication::instance()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t" || !m_gone || !m_window) {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY) {
            return false;
        }
        // Qt forgets the id before it destroys a window itself, so a match is
        // a window someone else destroyed.
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        const WId id = m_window->internalWinId();
        if (id != 0 && destroyed->window == id) {
            QTimer::singleShot(0, this, std::exchange(m_gone, nullptr));
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_gone;
};

} // namespace

void whenDestroyedFromOutside(QWidget& window, std::function<void()> gone)
{
    if (onX11()) {
        new DestroyWatch(window, std::move(gone));
    }
}

} // namespace platform
