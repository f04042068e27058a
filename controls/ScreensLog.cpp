#include "controls/ScreensLog.h"

// Window placement on the screens ("glimmora.screens"); off unless enabled.
Q_LOGGING_CATEGORY(lcScreens, "glimmora.screens", QtCriticalMsg)
