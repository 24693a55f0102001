#pragma once

// The window layer on native Win32 controls (Windows): install it at start, then run the
// message loop, which ends when the program's last window has closed.

#include <exception>

namespace quorvane::ui::win32 {

// Installs the back-end that builds the windows from here on.
void Install();
// Runs the message loop with the windows' keyboard handling; returns the exit code once the
// last window has closed. A failure inside a window's code ends the loop with that exception.
int RunMessageLoop();

// Keeps an exception thrown inside a window procedure, which must not unwind through the
// system's code, for the message loop to throw once the system has returned.
void KeepFailure(std::exception_ptr failure);

}  // namespace quorvane::ui::win32
