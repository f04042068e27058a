#include "platform/session/TimerSlack.h"

#include <sys/prctl.h>

namespace platform {

void useOwnTimerSlack()
{
    constexpr unsigned long oneMillisecondInNs = 1'000'000;
    (void)::prctl(PR_SET_TIMERSLACK, oneMillisecondInNs, 0, 0, 0);
}

} // namespace platform
