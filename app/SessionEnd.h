#pragma once

class Windows;

// Runs the event loop until the program ends. However the session ends it (a
// signal, the X server gone, the session manager's quit) it ends as through
// "Beenden": the exit's keys saved, the single-instance lock released. A
// session manager's save request saves the same keys and goes on.
int RunUntilSessionEnds(Windows& windows);
