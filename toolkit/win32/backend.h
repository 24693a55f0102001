#pragma once

// The window layer on native Win32 controls (Windows): install it at start; its run() is the
// message loop, which ends when the window layer quits it.

#include <exception>

namespace quorvane::ui::win32 {

// Installs the back-end that builds the windows from here on.
void Install();

// Keeps an exception thrown inside a window procedure, which must not unwind through the
// system's code, for the message loop to throw once the system has returned.
void KeepFailure(std::exception_ptr failure);

}  // namespace quorvane::ui::win32
