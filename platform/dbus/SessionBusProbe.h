#pragma once

#include <chrono>

namespace platform {

// Before the application object exists: when the session bus does not answer
// within `deadline` (its daemon stopped, or a socket that accepts and never
// replies), the program runs this time without a session bus. Qt's
// accessibility bridge asks the bus on the main thread inside the first
// show() and waits as long as the bus stays silent; without a bus it stays
// off. The bus must answer a new client's first call, so one that takes the
// authentication and then falls silent counts as silent too.
void leaveSilentSessionBus(std::chrono::milliseconds deadline);

} // namespace platform
