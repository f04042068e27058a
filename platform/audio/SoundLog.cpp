#include "platform/audio/SoundLog.h"

namespace platform {

Q_LOGGING_CATEGORY(lcSound, "glimmora.sound", QtCriticalMsg)

} // namespace platform
