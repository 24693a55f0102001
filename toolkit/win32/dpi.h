#pragma once

// Dots per inch of a window and what depends on them: the frame around a client area and the
// fonts. The per-window calls are looked up at run time, since older Windows and Wine lack them.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "toolkit/description.h"

namespace quorvane::ui::win32 {

// The window's dpi: its monitor's where Windows tracks that, else the desktop's.
int WindowDpi(HWND window);
// Grows `rect` from a client area to the window around it, at `dpi`.
void AdjustRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// Makes the process aware of each monitor's dpi where the manifest has not done so already.
void DeclareDpiAwareness();

// A font as a description resolves it: a face, a size in points and its style.
struct FontSpec {
  std::string family;
  double points = kDialogFontPoints;
  bool bold = false;
  bool italic = false;
};
// The description's font over `base` (its window's font): an empty family or size keeps the
// base's.
FontSpec ResolveFont(const FontDescription& description, const FontSpec& base);
// The font at `dpi`, `smaller` pixels below its nominal size (for captions that would not fit).
HFONT CreateFontForDpi(const FontSpec& spec, int dpi, int smaller = 0);
int NominalFontPixels(const FontSpec& spec, int dpi);

}  // namespace quorvane::ui::win32
