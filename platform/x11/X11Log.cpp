#include "platform/x11/X11Log.h"

// The keys area's category ("glimmora.keys"), seen from the X backend; off
// unless enabled with a logging rule.
Q_LOGGING_CATEGORY(lcX11Keys, "glimmora.keys", QtCriticalMsg)
