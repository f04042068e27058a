#pragma once

#include <chrono>

namespace platform {

// Before the application object exists: when the session bus does not answer
// within `deadline` (its daemon stopped, a socket that accepts and never
// replies, one that answers Hello and then nothing), the program runs this
// time without a session bus. Qt's accessibility bridge asks the bus on the
// main thread inside the first show() and waits as long as the bus stays
// silent. It also waits for the accessibility service's state and for a bus
// AT_SPI_BUS_ADDRESS names: where either stays silent, this run goes without
// screen-reader access (with one log line).
void leaveSilentSessionBus(std::chrono::milliseconds deadline);

} // namespace platform
