#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QRegion>
#include <memory>

class QWidget;

namespace platform {
class WindowShape;
}

// Gives the window it sits on the outline of a picture: every pixel of the
// mask picture whose colour is not exactly the mask colour belongs to the
// window, for drawing and for mouse input (X SHAPE); the rest is cut away.
// The picture is stretched over the window at its present size. Each write of
// either property reshapes the window.
class WindowOutline : public QObject
{
public:
    explicit WindowOutline(QWidget* container);
    ~WindowOutline() override;

    QImage MaskPicture() const { return m_picture; }
    void setMaskPicture(const QImage& picture);

    QColor MaskColor() const { return m_color; }
    void setMaskColor(const QColor& color);

    // The pixels of `picture` whose colour is not `maskColor`, exactly.
    static QRegion regionOf(const QImage& picture, const QColor& maskColor);

private:
    void ApplyMaskRegion();

    QWidget* m_container;
    QImage m_picture;
    // Until set: the colour of button faces, as for any such control.
    QColor m_color;
    // Made at the first shaping, when the platform is known.
    std::unique_ptr<platform::WindowShape> m_shape;
};
