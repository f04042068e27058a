#pragma once

#include <QFont>

// The forms were laid out for "MS Sans Serif"; Liberation Sans takes its
// place at the same point sizes.
QFont dialogFont(double pointSize, bool bold = false);
