#include "clock/ImageProcessing.h"

#include "clock/PictureBox.h"

#include <QPainter>
#include <cstring>
#include <limits>

bool cellColumn(std::int16_t width, std::int16_t digit, std::int16_t& column)
{
    const int product = int{width} * int{digit};
    if (product < std::numeric_limits<std::int16_t>::min() ||
        product > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    column = static_cast<std::int16_t>(product);
    return true;
}

namespace {

constexpr QImage::Format BackFormat = QImage::Format_RGB32;

// The tube's back image covers only the part of the tube that can be seen, so
// a tube far larger than the window costs no more than the window. Made the
// first time and when that part changes; kept otherwise, so a draw allocates
// nothing.
QImage& backImage(PictureBox& target, const QRect& seen)
{
    QImage& image = target.image();
    if (image.size() != seen.size() || image.format() != BackFormat) {
        image = seen.isEmpty() ? QImage() : QImage(seen.size(), BackFormat);
    }
    target.setImageOrigin(seen.topLeft());
    return image;
}

void copyRect(const QImage& source, const QRect& from, QImage& dest, QPoint to)
{
    if (source.format() == dest.format()) {
        const qsizetype bytes = qsizetype{from.width()} * (source.depth() / 8);
        for (int row = 0; row < from.height(); ++row) {
            const uchar* in =
                source.constScanLine(from.y() + row) + qsizetype{from.x()} * (source.depth() / 8);
            uchar* out = dest.scanLine(to.y() + row) + qsizetype{to.x()} * (dest.depth() / 8);
            std::memcpy(out, in, static_cast<std::size_t>(bytes));
        }
        return;
    }
    QPainter p(&dest);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(to, source, from);
}

} // namespace

void DrawTubeDigit(PictureBox& target, const QImage& strip, std::int16_t digit, std::int16_t height,
                   std::int16_t width)
{
    const QRect seen = target.visibleRect();
    QImage& back = backImage(target, seen);
    back.fill(target.backColor());
    target.update();

    std::int16_t column = 0;
    if (!cellColumn(width, digit, column) || back.isNull() || strip.isNull()) {
        return;
    }
    // Only the part of the cell that lies inside the strip and the seen part of
    // the tube is copied; the rest keeps the background colour.
    const QRect cell(column, 0, width, height);
    const QRect inStrip = cell & strip.rect();
    const QRect fits = inStrip.translated(-cell.topLeft()) & seen;
    if (fits.isEmpty()) {
        return;
    }
    copyRect(strip, fits.translated(cell.topLeft()), back, fits.topLeft() - seen.topLeft());
}
