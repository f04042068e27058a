#pragma once

#include <optional>

// The steps of main() before QApplication exists.

// Prints the help, the version or a refusal of a wrong call and gives the
// exit code; nothing when the clock is to start.
std::optional<int> answerCommandLine(int argc, char* argv[]);

// After the platform is chosen: false, with a one-line message on stderr,
// when Qt could not open a display.
bool displayReachable(int argc, char* argv[]);
