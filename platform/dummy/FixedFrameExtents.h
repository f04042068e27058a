#pragma once

#include "platform/desktop/FrameExtents.h"

namespace platform {

// Frames as a test sets them: one told in advance, one reported once shown.
class FixedFrameExtents final : public FrameExtents
{
public:
    FixedFrameExtents(std::optional<QMargins> advance, std::optional<QMargins> shown)
        : m_advance(advance), m_shown(shown)
    {}
    std::optional<QMargins> inAdvance(unsigned long) override { return m_advance; }
    std::optional<QMargins> current(unsigned long) override { return m_shown; }

private:
    std::optional<QMargins> m_advance;
    std::optional<QMargins> m_shown;
};

} // namespace platform
