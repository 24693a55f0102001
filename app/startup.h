#pragma once

// The run of the program, the same on every back-end: the main window is loaded and shown, the
// event loop runs until the last of the program's windows has closed, and the windows still held
// are discarded while the back-end is still there.

namespace quorvane {

// Needs the back-end installed; returns the run's exit status.
int RunProgram();

}  // namespace quorvane
