#pragma once

#include <QImage>
#include <QString>

// Loads a picture for the clock (face, strip, lamp) with Qt's image reader, in
// any format it reads, converted once to the format the screen is drawn in.
// A missing or unreadable file, and a file whose header claims a size no
// clock picture can have, give a null image; nothing huge is allocated.
QImage loadPicture(const QString& path);

// The format pictures are kept in, so drawing them is a plain copy.
inline constexpr QImage::Format ScreenFormat = QImage::Format_RGB32;

// `image` in ScreenFormat (shared, not copied, when it already is).
QImage toScreenFormat(const QImage& image);

// The largest side and area a picture may have.
inline constexpr int PictureMaxSide = 32767;
inline constexpr qint64 PictureMaxPixels = qint64{8192} * 8192;
