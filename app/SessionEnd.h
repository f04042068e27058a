#pragma once

class ProgramEnd;

// Runs the event loop until the program ends. However the session ends it (a
// signal, the X server gone, the session manager's quit) it ends through
// `end`, as "Beenden" does. A session manager's save request saves the same
// keys and goes on.
int runUntilSessionEnds(ProgramEnd& end);
