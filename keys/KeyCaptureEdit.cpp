#include "keys/KeyCaptureEdit.h"

#include <QFontDatabase>
#include <QPainter>

namespace {

const QString LogoFamily = QStringLiteral("Wingdings");

// Four panes, as the logo is printed on the keys.
void paintLogo(QPainter& painter, const QRect& box)
{
    const int side = std::min(box.width(), box.height());
    if (side < 4) {
        return;
    }
    const int gap = std::max(1, side / 12);
    const int pane = (side - gap) / 2;
    const int left = box.left() + (box.width() - (2 * pane + gap)) / 2;
    const int top = box.top() + (box.height() - (2 * pane + gap)) / 2;
    painter.fillRect(left, top, pane, pane, QColor(0xf2, 0x50, 0x22));
    painter.fillRect(left + pane + gap, top, pane, pane, QColor(0x7f, 0xba, 0x00));
    painter.fillRect(left, top + pane + gap, pane, pane, QColor(0x00, 0xa4, 0xef));
    painter.fillRect(left + pane + gap, top + pane + gap, pane, pane, QColor(0xff, 0xb9, 0x00));
}

} // namespace

KeyCaptureEdit::KeyCaptureEdit(QWidget* parent) : QLineEdit(parent)
{
    m_logoFont = QFontDatabase::families().contains(LogoFamily);
}

void KeyCaptureEdit::setWindowsLogo(bool shown)
{
    if (shown == m_logo) {
        return;
    }
    m_logo = shown;
    if (m_logoFont) {
        QFont f = font();
        if (shown) {
            f.setFamily(LogoFamily);
        }
        setFont(f);
        return;
    }
    // The character stays in the box (its text is what a user would copy);
    // only its glyph is replaced by the picture.
    if (shown) {
        m_normalPalette = palette();
        QPalette hidden = m_normalPalette;
        hidden.setColor(QPalette::Text, Qt::transparent);
        hidden.setColor(QPalette::HighlightedText, Qt::transparent);
        setPalette(hidden);
    } else {
        setPalette(m_normalPalette);
    }
    update();
}

void KeyCaptureEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (!drawsLogo() || text().isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int side = std::min(metrics.ascent(), height() - 6);
    const QRect box(0, 0, width(), height());
    paintLogo(painter, QRect(box.center().x() - side / 2, box.center().y() - side / 2, side, side));
}
