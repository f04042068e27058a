#pragma once

class QAbstractScrollArea;
class QWidget;

// A frame in the highlight colour along the inside of `widget`'s edge, for
// controls whose style shows no focus of its own. Call from paintEvent while
// the widget has the focus.
void drawFocusFrame(QWidget& widget);

// A list's frame drawn in the highlight colour while the list has the focus:
// the style shows the focus only on a current entry, so an empty list would
// show none.
void showFocusOnFrame(QAbstractScrollArea& area);
