#pragma once

#include <QImage>
#include <QString>

class PictureBudget;

// Loads a picture for the clock (face, strip, lamp) with Qt's image reader, in
// any format it reads, converted once to the format the screen is drawn in.
// A missing or unreadable file, anything but a regular file (never waiting on
// a FIFO), a file whose header claims a size no clock picture can have, and a
// picture beyond what is left of `budget`, give a null image; nothing huge is
// allocated.
QImage loadPicture(const QString& path, PictureBudget* budget = nullptr);

// The companion of `picture` read from `path` (counted in `budget`), in the
// screen's format and marked as two device pixels per logical one; null when
// it is missing, unreadable or not exactly twice the picture's size.
QImage loadDoubled(const QString& path, const QImage& picture, PictureBudget* budget = nullptr);

// The format pictures are kept in, so drawing them is a plain copy.
inline constexpr QImage::Format ScreenFormat = QImage::Format_RGB32;

// `image` in ScreenFormat (shared, not copied, when it already is).
QImage toScreenFormat(const QImage& image);

// The largest side and area a picture may have.
inline constexpr int PictureMaxSide = 32767;
inline constexpr qint64 PictureMaxPixels = qint64{8192} * 8192;

// The pixels all pictures of one skin may decode to together: three 8K
// screens. Tiny run-length files can claim huge pictures, each within the
// limit of one.
inline constexpr qint64 SkinPixelBudget = qint64{7680} * 4320 * 3;

class PictureBudget
{
public:
    explicit PictureBudget(qint64 pixels = SkinPixelBudget) : m_left(pixels) {}

    bool fits(QSize size) const { return qint64{size.width()} * size.height() <= m_left; }
    // Counts a decoded picture; false, counting nothing, when it does not fit.
    bool take(QSize size)
    {
        if (!fits(size)) {
            return false;
        }
        m_left -= qint64{size.width()} * size.height();
        return true;
    }

private:
    qint64 m_left;
};
