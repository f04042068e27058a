#include "controls/FocusFrame.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPalette>
#include <QWidget>

void drawFocusFrame(QWidget& widget)
{
    QPainter painter(&widget);
    QPen pen(widget.palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(widget.rect()).adjusted(1, 1, -1, -1));
}

void showFocusOnFrame(QAbstractScrollArea& area)
{
    area.setStyleSheet(QStringLiteral("%1:focus { border: 2px solid palette(highlight); }")
                           .arg(QString::fromLatin1(area.metaObject()->className())));
}
