#include "clock/ImageProcessing.h"

#include "controls/PictureBox.h"
#include "core/DoubledPictures.h"

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
// a tube far larger than the window costs no more than the window, in device
// pixels at `ratio`. Made the first time and when that part changes; kept
// otherwise, so a draw allocates nothing.
QImage& backImage(PictureBox& target, const QRect& seen, qreal ratio)
{
    QImage& image = target.image();
    const QSize size = deviceSize(seen.size(), ratio);
    if (image.size() != size || image.format() != BackFormat || image.devicePixelRatio() != ratio) {
        image = seen.isEmpty() ? QImage() : QImage(size, BackFormat);
        image.setDevicePixelRatio(ratio);
    }
    target.setImageOrigin(seen.topLeft());
    return image;
}

QRect scaledRect(const QRect& r, qreal ratio)
{
    return ratio == 1.0 ? r
                        : QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toRect();
}

void copyRect(const QImage& source, const QRect& from, QImage& dest, QPoint to)
{
    if (source.format() == dest.format()) {
        // Two pointers walked down the rows: scanLine() would check on every
        // row whether the image is shared.
        const qsizetype pixel = source.depth() / 8;
        const auto bytes = static_cast<std::size_t>(from.width() * pixel);
        const qsizetype inStride = source.bytesPerLine();
        const qsizetype outStride = dest.bytesPerLine();
        const uchar* in = source.constBits() + from.y() * inStride + from.x() * pixel;
        uchar* out = dest.bits() + to.y() * outStride + to.x() * pixel;
        for (int row = 0; row < from.height(); ++row, in += inStride, out += outStride) {
            std::memcpy(out, in, bytes);
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
    // A strip drawn at a higher ratio (an "@2x" companion) is drawn into
    // device pixels; a plain one as it is, which the screen enlarges.
    const qreal ratio = strip.devicePixelRatio() > 1.0 ? target.devicePixelRatioF() : 1.0;
    QImage& back = backImage(target, seen, ratio);
    back.fill(target.backColor());
    target.update();

    std::int16_t column = 0;
    if (!cellColumn(width, digit, column) || back.isNull() || strip.isNull()) {
        return;
    }
    // Only the part of the cell that lies inside the strip and the seen part of
    // the tube is copied; the rest keeps the background colour. Counted in
    // the strip's own pixels.
    const qreal own = strip.devicePixelRatio();
    const QRect cell = scaledRect(QRect(column, 0, width, height), own);
    const QRect shown = scaledRect(seen, own);
    const QRect fits = (cell & strip.rect()).translated(-cell.topLeft()) & shown;
    if (fits.isEmpty()) {
        return;
    }
    if (ratio == own) {
        copyRect(strip, fits.translated(cell.topLeft()), back, fits.topLeft() - shown.topLeft());
        return;
    }
    // Any other ratio: the cell scaled smoothly to the tube's device pixels.
    const QRect to = scaledRect(fits.translated(-shown.topLeft()), ratio / own);
    QImage part = strip.copy(fits.translated(cell.topLeft()))
                      .scaled(to.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    part.setDevicePixelRatio(ratio);
    QPainter p(&back);
    p.drawImage(QPointF(to.topLeft()) / ratio, part);
}
