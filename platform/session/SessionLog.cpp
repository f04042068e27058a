#include "platform/session/SessionLog.h"

// Start, lock, session manager and end.
Q_LOGGING_CATEGORY(lcSession, "glimmora.session", QtCriticalMsg)
