#pragma once

#include <QPoint>
#include <QWidget>

// A line drawn on a form between two points of its parent, like the lines a
// form designer places; it takes no mouse input.
class FormLine : public QWidget
{
    Q_OBJECT
public:
    FormLine(QPoint from, QPoint to, QWidget* parent);

    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
};
