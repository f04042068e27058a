#pragma once

#include <chrono>

namespace platform {

// Before the application object exists. Qt joins the session manager named
// by SESSION_MANAGER on the main thread inside its constructor and waits as
// long as it stays silent: the first listed that greets and completes ICE's
// set-up, each step within `deadline`, is the one Qt joins; where none does
// (accepts and never answers, stalls, stopped), this run goes without
// session management.
void leaveDeafSessionManager(std::chrono::milliseconds deadline);

// A session manager that goes away must not end the clock: libICE's own
// handler for a broken connection calls exit(). This one takes the
// connection out of use instead and the clock runs on without it.
void keepRunningWhenSessionManagerDies();

} // namespace platform
