// The program's start-up and shut-down.
#pragma once

namespace tessavel {

using ExitRoutine = void (*)();

// Makes the drop target, loads and shows the main window, runs the message
// loop until the window is closed, then runs the exit routines in the order
// in which they were added. Returns 0, or -1 when the window cannot be
// created (after a fatal error message).
int RunApplication();

}  // namespace tessavel
