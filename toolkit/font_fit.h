#pragma once

// The fonts of a window, fitted once for every back-end: each distinct font of the description is
// set in one size for the whole window, so that no two captions of one font differ in size.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/description.h"

namespace quorvane::ui {

// A control's font as the window sets it: an empty family or size takes the window's (the dialog
// font where the window names none); bold and italic are the control's own.
FontDescription ResolvedFont(const FontDescription& control, const FontDescription& window);

// One font of a window and the controls set in it, by row.
struct FontUse {
  FontDescription font;  // resolved
  std::vector<int> controls;
};
// Every distinct font of the window (its own font first), with the controls that use it.
std::vector<FontUse> FontsInUse(const WindowDescription& window);

// The captions a control may draw: its described caption and those its code may set; none for a
// control that draws no caption.
std::vector<std::string> CaptionsToFit(const ControlDescription& control);

// Whether `caption` fits `control` in the font at `pixels`: measured by the back-end.
using CaptionFits = std::function<bool(const ControlDescription& control, const std::string& caption, int pixels)>;
// The size of a font for the whole window: `nominalPixels`, or where some caption in it does not
// fit its control, the largest size at most a quarter below at which every one does.
int FittedPixels(const WindowDescription& window, const FontUse& use, int nominalPixels, const CaptionFits& fits);

}  // namespace quorvane::ui
