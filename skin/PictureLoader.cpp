#include "skin/PictureLoader.h"

#include "skin/SkinLog.h"

#include <QImageReader>

namespace {

bool acceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= PictureMaxSide &&
           size.height() <= PictureMaxSide &&
           qint64{size.width()} * size.height() <= PictureMaxPixels;
}

} // namespace

QImage toScreenFormat(const QImage& image)
{
    if (image.isNull() || image.format() == ScreenFormat) {
        return image;
    }
    return image.convertToFormat(ScreenFormat);
}

QImage loadPicture(const QString& path)
{
    QImageReader reader(path);
    // The header's claim is checked before anything is allocated. Formats that
    // cannot tell their size up front still read within the reader's own
    // allocation limit, and the result is checked the same way.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !acceptableSize(claimed)) {
        qCDebug(lcSkin) << "picture refused:" << path << claimed;
        return {};
    }
    QImage image;
    if (!reader.read(&image) || !acceptableSize(image.size())) {
        qCDebug(lcSkin) << "picture not read:" << path << reader.errorString();
        return {};
    }
    return toScreenFormat(image);
}
