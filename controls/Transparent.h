#pragma once

#include <QImage>
#include <QObject>
#include <QRegion>

class QWidget;

// Gives the window it sits on the outline of a picture: every pixel of the
// mask picture whose colour is not exactly the mask colour belongs to the
// window, for drawing and for mouse input; the rest is cut away.
class Transparent : public QObject
{
public:
    explicit Transparent(QWidget* container);

    QImage MaskPicture() const { return m_picture; }
    void setMaskPicture(const QImage& picture);

    QRgb MaskColor() const { return m_color; }
    void setMaskColor(QRgb color);

    // The region of a picture's pixels that are not of the colour.
    static QRegion regionOf(const QImage& picture, QRgb maskColor);

private:
    void ApplyMaskRegion();

    QWidget* m_container;
    QImage m_picture;
    // The button-face system colour, a value no picture pixel has.
    QRgb m_color = 0x8000000F;
};
