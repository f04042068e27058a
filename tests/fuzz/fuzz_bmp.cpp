// The picture reader on mutated BMP files, with the size checks and the
// allocation limit the skin loader works with: a picture is either refused or
// read and converted to the screen format within those limits.
#include "skin/PictureLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok) {
        std::abort();
    }
}

bool acceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= PictureMaxSide &&
           size.height() <= PictureMaxSide &&
           qint64{size.width()} * size.height() <= PictureMaxPixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    // The loader's steps: the header's claim first, then the picture, then
    // the one conversion.
    QImageReader reader(&device, "bmp");
    const QSize claimed = reader.size();
    if (claimed.isValid() && !acceptableSize(claimed)) {
        return 0;
    }
    QImage image;
    if (!reader.read(&image) || !acceptableSize(image.size())) {
        return 0;
    }
    const QImage shown = image.convertToFormat(ScreenFormat);
    check(shown.format() == ScreenFormat && shown.size() == image.size());
    // Every pixel is readable.
    quint32 sum = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(shown.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            sum += line[x];
        }
    }
    (void)sum;
    return 0;
}
