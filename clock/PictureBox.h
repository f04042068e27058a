#pragma once

#include <QImage>
#include <QWidget>

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

    // Replaces the shown picture.
    void setPicture(const QImage& picture);

    QColor backColor() const { return m_back; }
    void setBackColor(const QColor& c) { m_back = c; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    QColor m_back = Qt::black;
};

// An invisible click area laid over the face: it shows nothing and only
// catches the mouse.
class ClickArea : public QWidget
{
    Q_OBJECT
public:
    explicit ClickArea(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
