#include "controls/FramePlacement.h"

#include "core/ScreenChoice.h"
#include "controls/ScreensLog.h"
#include "platform/desktop/FrameExtents.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Long enough for any window manager to frame a window it maps.
constexpr int CorrectionWindowMs = 3000;

bool drawsFrame(const QWidget* window)
{
    return !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

QMargins qtFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Where the inside of a window goes so that its frame is centred.
QPoint insideFor(const QRect& screen, const QSize& inside, const QMargins& frame)
{
    return centredTopLeft(screen, inside.grownBy(frame)) + QPoint(frame.left(), frame.top());
}

// QWidget::move places the frame as far as Qt knows it; this places the inside.
void moveInsideTo(QWidget* window, const QPoint& inside)
{
    window->move(inside - (window->geometry().topLeft() - window->pos()));
    // A hidden widget keeps its new place to itself until it is shown, and Qt
    // then leaves the native window's place to the window manager; placing the
    // native window too makes it ask for this place.
    if (QWindow* handle = window->windowHandle(); handle && !window->isVisible()) {
        handle->setPosition(inside);
    }
}

// Finishes the placement of a window centred while hidden: asks for its frame
// when it is about to be mapped (its native window is final only then: Qt
// makes a new one when the above-others flag changes), and checks once more
// when the window manager has framed it, moving it if the frame is elsewhere.
class FramePlacer final : public QObject
{
public:
    FramePlacer(QWidget* window, const QRect& screen,
                std::unique_ptr<platform::FrameExtents> frames)
        : QObject(window), m_window(window), m_screen(screen), m_frames(std::move(frames))
    {
        window->installEventFilter(this);
        QTimer::singleShot(CorrectionWindowMs, this, [this] {
            if (m_shown) {
                deleteLater();
            }
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
            m_shown = true;
            beforeMap();
        } else if (watched != m_window && m_shown &&
                   (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
            afterMap();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The window manager counts device pixels; Qt places in logical ones.
    std::optional<QMargins> logical(std::optional<QMargins> frame) const
    {
        const qreal ratio = m_window->devicePixelRatioF();
        if (!frame || ratio <= 1.0) {
            return frame;
        }
        return QMargins(qRound(frame->left() / ratio), qRound(frame->top() / ratio),
                        qRound(frame->right() / ratio), qRound(frame->bottom() / ratio));
    }

    void beforeMap()
    {
        QWindow* handle = m_window->windowHandle();
        if (!handle) {
            return;
        }
        handle->installEventFilter(this);
        std::optional<QMargins> frame;
        if (const QMargins known = qtFrame(m_window); !known.isNull()) {
            frame = known;
        } else if (m_frames) {
            frame = logical(m_frames->inAdvance(m_window->winId()));
        }
        qCDebug(lcScreens) << m_window->windowTitle()
                           << "frame known in advance:" << frame.has_value();
        if (frame) {
            moveInsideTo(m_window, insideFor(m_screen, m_window->size(), *frame));
        }
    }

    void afterMap()
    {
        std::optional<QMargins> frame;
        if (m_frames) {
            frame = logical(m_frames->current(m_window->winId()));
        }
        if (!frame || frame->isNull()) {
            frame = qtFrame(m_window);
        }
        if (frame->isNull()) {
            return;
        }
        const QPoint inside = insideFor(m_screen, m_window->size(), *frame);
        if (inside != m_window->geometry().topLeft()) {
            qCDebug(lcScreens) << m_window->windowTitle() << "frame known after show:" << *frame
                               << "inside moved from" << m_window->geometry().topLeft() << "to"
                               << inside;
            moveInsideTo(m_window, inside);
        }
        m_window->windowHandle()->removeEventFilter(this);
        deleteLater();
    }

    QWidget* m_window;
    QRect m_screen;
    std::unique_ptr<platform::FrameExtents> m_frames;
    bool m_shown = false;
};

} // namespace

void centreByOuterSize(QWidget* window, const QRect& screen,
                       std::unique_ptr<platform::FrameExtents> frames)
{
    if (!window || !window->isWindow()) {
        return;
    }
    // Placed by the frame Qt knows now (none while hidden on X11); a framed
    // window that is not shown yet is finished when it is.
    const QMargins frame = drawsFrame(window) ? qtFrame(window) : QMargins();
    const QPoint inside = insideFor(screen, window->size(), frame);
    qCDebug(lcScreens) << window->windowTitle() << "inside at" << inside;
    moveInsideTo(window, inside);
    if (drawsFrame(window) && !window->isVisible()) {
        new FramePlacer(window, screen, std::move(frames));
    }
}
