#include "platform/desktop/WindowShape.h"


#include <QBitmap>
#include <QRegion>
#include <QWindow>

namespace platform {
namespace {

// Where there is no X server: the QWindow's own mask, in logical pixels.
class RegionWindowShape final : public WindowShape
{
public:
    void apply(QWindow& window, const QImage& mask) override
    {
        const qreal scale = mask.devicePixelRatio();
        QRegion shape = regionOfMask(mask);
        if (scale != 1.0) {
            QRegion logical;
            for (const QRect& r : shape) {
                logical +=
                    QRectF(r.x() / scale, r.y() / scale, r.width() / scale, r.height() / scale)
                        .toAlignedRect();
            }
            shape = logical;
        }
        if (shape.isEmpty()) {
            // An empty region means "no shape" here, showing the whole window;
            // a region beside the window leaves nothing of it.
            shape = QRegion(-1, -1, 1, 1);
        }
        window.setMask(shape);
    }
};

} // namespace

std::unique_ptr<WindowShape> makeRegionWindowShape()
{
    return std::make_unique<RegionWindowShape>();
}

QImage keptPixels(const QImage& picture, QRgb cut)
{
    QImage mask(picture.size(), QImage::Format_MonoLSB);
    if (mask.isNull()) {
        return mask;
    }
    mask.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mask.fill(0);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb colour = cut & 0x00FFFFFFu;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = mask.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            if ((in[x] & 0x00FFFFFFu) != colour) {
                out[x >> 3] = static_cast<uchar>(out[x >> 3] | (1u << (x & 7)));
            }
        }
    }
    return mask;
}

QRegion regionOfMask(const QImage& mask)
{
    if (mask.isNull()) {
        return {};
    }
    return QRegion(QBitmap::fromImage(mask));
}

} // namespace platform
