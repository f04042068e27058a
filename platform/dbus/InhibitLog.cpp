#include "platform/dbus/InhibitLog.h"

// Off unless enabled with a logging rule.
Q_LOGGING_CATEGORY(lcInhibit, "glimmora.inhibit", QtCriticalMsg)
