#include "core/AlarmLog.h"

// Off unless enabled with a logging rule.
Q_LOGGING_CATEGORY(lcAlarm, "glimmora.alarm", QtCriticalMsg)
