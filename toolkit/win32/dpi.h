#pragma once

// Dots per inch of a window and the frame around a client area at a dpi. The per-window calls
// are looked up at run time, since older Windows and Wine lack them.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace quorvane::ui::win32 {

// The window's dpi: its monitor's where Windows tracks that, else the desktop's.
int WindowDpi(HWND window);
// Grows `rect` from a client area to the window around it, at `dpi`.
void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// Makes the process aware of each monitor's dpi where the manifest has not done so already.
void DeclareDpiAwareness();

}  // namespace quorvane::ui::win32
