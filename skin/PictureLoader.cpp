#include "skin/PictureLoader.h"

#include "core/DoubledPictures.h"

#include "platform/files/RegularFile.h"
#include "skin/SkinLog.h"

#include <QFile>
#include <QImageReader>

#include <cstdlib>
#include <unistd.h>

namespace {

bool acceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= PictureMaxSide &&
           size.height() <= PictureMaxSide &&
           qint64{size.width()} * size.height() <= PictureMaxPixels;
}

quint32 le32(const QByteArray& b, int at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 |
           quint32(quint8(b[at + 2])) << 16 | quint32(quint8(b[at + 3])) << 24;
}

// An uncompressed BMP holds every row in the file; one whose header claims
// more rows than the file has is truncated or lying, and reading it would
// allocate the whole claimed picture for a few bytes of data.
bool bmpFitsItsFile(const QFile& f)
{
    QByteArray h(34, '\0');
    if (f.handle() < 0 || ::pread(f.handle(), h.data(), 34, 0) != 34) {
        return true; // not a form we check; the reader decides
    }
    if (h.size() < 34 || !h.startsWith("BM") || le32(h, 14) < 40) {
        return true; // not a form we check; the reader decides
    }
    const qint64 width = qint32(le32(h, 18));
    const qint64 height = std::abs(qint64(qint32(le32(h, 22))));
    const qint64 bpp = quint8(h[28]) | quint8(h[29]) << 8;
    const quint32 compression = le32(h, 30);
    if (compression != 0 && compression != 3) {
        return true; // run-length data can be far smaller than the picture
    }
    const qint64 rowBytes = (width * bpp + 31) / 32 * 4;
    return f.size() >= qint64(le32(h, 10)) + rowBytes * height;
}

} // namespace

QImage toScreenFormat(const QImage& image)
{
    if (image.isNull() || image.format() == ScreenFormat) {
        return image;
    }
    return image.convertToFormat(ScreenFormat);
}

QImage loadPicture(const QString& path, PictureBudget* budget)
{
    QFile file(path);
    if (path.startsWith(u':')) {
        (void)file.open(QIODevice::ReadOnly); // our own embedded pictures
    } else if (const int fd = platform::openRegularFile(path); fd >= 0) {
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
        }
    }
    if (!file.isOpen()) {
        qCDebug(lcSkin) << "no picture file:" << path;
        return {};
    }
    QImageReader reader(&file);
    // The header's claim is checked before anything is allocated. Formats that
    // cannot tell their size up front still read within the reader's own
    // allocation limit, and the result is checked the same way.
    const QSize claimed = reader.size();
    if (claimed.isValid() && (!acceptableSize(claimed) || (budget && !budget->fits(claimed)) ||
                              (reader.format() == "bmp" && !bmpFitsItsFile(file)))) {
        qCDebug(lcSkin) << "picture refused:" << path << claimed;
        return {};
    }
    QImage image;
    if (!reader.read(&image) || !acceptableSize(image.size()) ||
        (budget && !budget->take(image.size()))) {
        qCDebug(lcSkin) << "picture not read:" << path << reader.errorString();
        return {};
    }
    return toScreenFormat(image);
}

QImage loadDoubled(const QString& path, const QImage& picture, PictureBudget* budget)
{
    QImage doubled = loadPicture(path, budget);
    if (doubled.isNull() || !isDoubleOf(doubled.size(), picture.size())) {
        return {};
    }
    doubled.setDevicePixelRatio(2.0);
    return doubled;
}
