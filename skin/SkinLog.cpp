#include "skin/SkinLog.h"

// Off unless enabled with a logging rule.
Q_LOGGING_CATEGORY(lcSkin, "glimmora.skin", QtCriticalMsg)
