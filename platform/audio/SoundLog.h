#pragma once

#include <QLoggingCategory>

namespace platform {

// "glimmora.sound": decoding and playback; debug output only, off by default.
Q_DECLARE_LOGGING_CATEGORY(lcSound)

} // namespace platform
