#pragma once

namespace platform {

// Whether the C library may read the zone file TZ (or /etc/localtime) names.
// A FIFO, a device or a folder there would block or fail its read on the
// calling thread; the caller then shows UTC. Logs once per change.
bool zoneFileReadable();

} // namespace platform
