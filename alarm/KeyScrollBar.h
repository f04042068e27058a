#pragma once

#include <QScrollBar>

// A horizontal scroll bar that is a tab stop and takes the keys the way a
// Windows scroll bar does: Left/Up and Page Up count down, Right/Down and
// Page Down count up, Home and End go to the ends. (Qt's scroll bars invert
// the arrow keys, so Right would count down.)
class KeyScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit KeyScrollBar(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The style draws no focus on a scroll bar: a frame shows it.
    void paintEvent(QPaintEvent* event) override;
};
