#include "keys/KeysLog.h"

// Off unless enabled with a logging rule.
Q_LOGGING_CATEGORY(lcKeys, "glimmora.keys", QtCriticalMsg)
