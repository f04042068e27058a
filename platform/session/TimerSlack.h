#pragma once

namespace platform {

// The clock's timers wake within 1 ms of their time, whatever slack the
// starting process passed on (a shell's 300 ms would show each second late).
void useOwnTimerSlack();

} // namespace platform
