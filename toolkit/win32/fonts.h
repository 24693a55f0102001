#pragma once

// The fonts of one window at one dpi. Each font of the description is set in one size for the
// whole window: the largest, at most a quarter below its nominal size, at which every caption in
// it fits its control as the native control sets it. The dialog font's design comes in one face
// throughout the window: where the dialog face has no good size for one of its fonts, every one
// of them is set in a scalable face of that design.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <vector>

#include "toolkit/description.h"
#include "toolkit/win32/gdi.h"

namespace quorvane::ui::win32 {

// Hinted glyphs may reach up to two pixels beyond the width that their advances add up to (so
// Wine's FreeType draws them): a label set right or centred keeps that much room at its right
// edge. The fitting measures what the other captions ink.
inline constexpr int kInkOverhangPixels = 2;

class WindowFonts {
 public:
  WindowFonts(const WindowDescription& description, int dpi);

  // The font of a control, by its row.
  HFONT of(int control) const { return fonts_[byControl_[static_cast<std::size_t>(control)]].get(); }

 private:
  std::vector<FontOwner> fonts_;        // one for each distinct font of the description
  std::vector<std::size_t> byControl_;  // the index in fonts_ of each control's font
};

}  // namespace quorvane::ui::win32
