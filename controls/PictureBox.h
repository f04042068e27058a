#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

// `picture` with every pixel of exactly `colour` (alpha aside) transparent, in
// ARGB32_Premultiplied; null when no pixel has that colour.
QImage keyedOut(const QImage& picture, QRgb colour);

// A surface with a persistent back image, drawn unscaled at its top-left
// corner and cut off at the surface's size. Drawing goes into the image; the
// surface shows it on its next repaint.
class PictureBox : public QWidget
{
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The back image; callers that draw into it call update() afterwards.
    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    // Replaces the shown picture, placed at the surface's top-left corner.
    void setPicture(const QImage& picture);

    // Where the back image's top-left corner sits on the surface. A back
    // image that covers only the part of the surface that can be seen sits
    // at that part's corner.
    QPoint imageOrigin() const { return m_origin; }
    void setImageOrigin(QPoint origin) { m_origin = origin; }

    // The part of the surface not cut off by its parents, up to the window,
    // in the surface's coordinates; may be empty.
    QRect visibleRect() const;

    QColor backColor() const { return m_back; }
    void setBackColor(const QColor& c) { m_back = c; }

    // Pixels of exactly this colour are shown transparent; image() keeps them.
    void setCutColour(QRgb colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What is drawn: the back image, or its keyed copy while it is current.
    const QImage& shown();

    QImage m_image;
    QPoint m_origin;
    QColor m_back = Qt::black;
    std::optional<QRgb> m_cut;
    QImage m_keyed;
    qint64 m_keyedFrom = 0;
};

// An invisible click area laid over a picture: it shows nothing but its
// focus, and catches the mouse.
class ClickArea : public QWidget
{
    Q_OBJECT
public:
    explicit ClickArea(QWidget* parent = nullptr);

    // Screen readers see a link instead of a button.
    void setLink(bool link) { m_link = link; }
    bool isLink() const { return m_link; }

    // The click as the keyboard or a screen reader makes it.
    void press();

Q_SIGNALS:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Invisible but for the focus, which shows as a frame.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Screen readers' view of click areas (controls/ClickAreaAccess.cpp).
    static void installAccessibleFactory();

    bool m_pressed = false;
    bool m_link = false;
};
