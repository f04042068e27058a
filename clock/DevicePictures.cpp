#include "clock/DevicePictures.h"

#include "core/DoubledPictures.h"
#include "skin/PictureLoader.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

constexpr QRgb RgbBits = 0x00FFFFFFu;

} // namespace

QImage forRatio(const QImage& picture, const QImage& doubled, qreal ratio)
{
    switch (choosePicture(ratio, !doubled.isNull())) {
    case PictureChoice::Picture:
        return picture;
    case PictureChoice::Doubled: {
        QImage out = doubled;
        out.setDevicePixelRatio(2.0);
        return out;
    }
    case PictureChoice::DoubledScaled:
        break;
    }
    QImage out = doubled.scaled(deviceSize(picture.size(), ratio), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
    out.setDevicePixelRatio(ratio);
    return out;
}

QImage readBuiltin(const QString& path)
{
    // Told the format and not to guess it, Qt loads none of its image plugins
    // (each a library of its own) to probe the file.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage readBuiltinForRatio(const QString& path, qreal ratio)
{
    return forRatio(readBuiltin(path), ratio > 1.0 ? readBuiltin(doubledName(path)) : QImage(),
                    ratio);
}

QImage faceForRatio(const QImage& face, const QImage& doubled, qreal ratio, QRgb cut)
{
    if (choosePicture(ratio, !doubled.isNull()) != PictureChoice::DoubledScaled) {
        return forRatio(face, doubled, ratio);
    }
    // The cut pixels become transparent before scaling, so the device keeps
    // its own colours along the outline; what is mostly cut stays cut.
    QImage argb = doubled.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if ((line[x] & RgbBits) == (cut & RgbBits)) {
                line[x] = 0;
            }
        }
    }
    const QImage scaled =
        argb.convertToFormat(QImage::Format_ARGB32_Premultiplied)
            .scaled(deviceSize(face.size(), ratio), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    QImage out(scaled.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(scaled.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb c = in[x] | ~RgbBits;
            if (qAlpha(in[x]) < 128) {
                c = cut | ~RgbBits;
            } else if ((c & RgbBits) == (cut & RgbBits)) {
                c ^= 0x00010000u; // one step of red: kept, though it looks the same
            }
            line[x] = c;
        }
    }
    out.setDevicePixelRatio(ratio);
    return out;
}
