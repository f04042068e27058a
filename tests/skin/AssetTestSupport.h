#pragma once

// Reading and measuring the committed pictures for the asset tests.

#include "skin/SkinReader.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace assettest {

inline const QRgb kMask = qRgb(0, 0, 40);
inline const QRgb kMagenta = qRgb(255, 0, 255);
inline const QString kSection = QStringLiteral("Marvane Glimmora");
// Digits each tube can show, so the cells its strip must hold.
inline constexpr std::array<int, 6> kCellsNeeded = {3, 10, 6, 10, 10, 10};
// The colon lamps' fixed places on every face.
inline const std::array<QRect, 2> kLamps = {QRect(478, 313, 16, 67), QRect(506, 313, 16, 67)};
// The built-in layout: tube rectangles and the strip each tube draws from.
inline const std::array<QRect, 6> kBuiltinTubes = {
    QRect(113, 114, 19, 34), QRect(153, 113, 19, 34), QRect(207, 113, 19, 34),
    QRect(248, 113, 19, 34), QRect(306, 120, 14, 26), QRect(339, 120, 14, 26)};
// The program takes the built-in strips by a skin's default names.
inline const std::array<QString, 6> kBuiltinStrips = [] {
    std::array<QString, 6> paths;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        paths[k] = QStringLiteral("builtin/") + DefaultDigitFiles[k];
    }
    return paths;
}();

// A file below assets/ of the source tree.
QString asset(const QString& relative);

struct BmpHeader
{
    bool valid = false; // "BM", uncompressed
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};
BmpHeader readBmpHeader(const QString& path);

QImage loadRgb(const QString& path);

// Pixels of the mask colour reached from the picture's border: the part the
// shaped window cuts away (row-major, one flag per pixel).
std::vector<bool> outsideOf(const QImage& face);
// The whole rectangle lies on the face and on the device (nothing cut away).
bool rectOnDevice(const std::vector<bool>& outside, const QSize& size, const QRect& r);

// A skin rectangle in whole pixels; empty where a value is missing.
QRect pixelRect(const SkinRect& r);

struct SkinLayout
{
    QString dir; // ends in "/"
    SkinDescription description;
    std::array<QRect, 6> tubes;
};
SkinLayout readSkin(const QString& name);
// The skin folders shipped under assets/Skins.
QStringList shippedSkins();

int channelDistance(QRgb a, QRgb b);
double luminance(QRgb c);

// How much a tube's content differs from the face pixels just outside it,
// along the rim of the tube's rectangle (mean of the largest channel step).
double rimStep(const QImage& face, const QRect& r, const QImage& content);

} // namespace assettest
