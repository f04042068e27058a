#pragma once

#include <QString>

namespace platform {

// Opens `path` for reading only when it names a regular file (symlinks
// followed), without blocking: a FIFO or a device counts as missing, as does
// anything that cannot be opened. Returns the descriptor (close-on-exec, in
// blocking mode again), or -1.
int openRegularFile(const QString& path);

} // namespace platform
