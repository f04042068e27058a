#include "keys/FormLine.h"

#include <QPainter>

#include <algorithm>

FormLine::FormLine(QPoint from, QPoint to, QWidget* parent)
    : QWidget(parent), m_from(from), m_to(to)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                      QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y()))));
}

void FormLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(m_from - pos(), m_to - pos());
}
