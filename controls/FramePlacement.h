#pragma once

#include "platform/desktop/FrameExtents.h"

#include <QRect>
#include <memory>

class QWidget;

// Centres a top-level window on `screen` by its outer size, the window
// manager's frame included. Where the frame cannot be learnt before the first
// show, the window is placed by its inside size and moved once, as soon as the
// frame is known. `frames` may be null (Qt then is the only source).
void centreByOuterSize(QWidget* window, const QRect& screen,
                       std::unique_ptr<platform::FrameExtents> frames);
