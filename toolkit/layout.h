#pragma once

// Where each control of a window goes: its rectangle in its container and in the window, in
// twips, worked out once from the description for every back-end. A control keeps its place
// from the top of its container, keeps its distance to the container's bottom, or grows and
// shrinks with it (VerticalAnchor); the client area's height is the user's (a sizable window), a
// frame's changes only where the frame grows with its container. A line is a box as thick as its
// width in pixels at 96 dpi. The back-ends only scale these rectangles to their pixels.

#include <vector>

#include "toolkit/description.h"

namespace quorvane::ui {

// A rectangle: its top-left corner and its size, in twips.
struct TwipRect {
  double left = 0, top = 0, width = 0, height = 0;
};
// The same in whole pixels.
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct ControlPlace {
  int container = -1;    // the row of the frame that holds the control; -1 for the client area
  TwipRect inContainer;  // from the container's top-left corner
  TwipRect inWindow;     // from the client area's top-left corner
};

// The place of every control, by its row in the description, with the client area this high
// (twips); without a height, at the described one. Throws std::logic_error for a container that
// is not a frame described before its control.
std::vector<ControlPlace> LayOut(const WindowDescription& window, double clientHeight);
std::vector<ControlPlace> LayOut(const WindowDescription& window);

// The least client height of a window that the user makes higher or lower (twips): the
// described least height, else the described height.
double LeastClientHeight(const WindowDescription& window);

// A rectangle at `dpi` dots per inch: each corner coordinate and size rounded to the nearest pixel,
// the size at least one pixel.
PixelRect ToPixels(const TwipRect& twips, int dpi = 96);
// Every control's rectangle in the client area in pixels, as nested native containers would
// place it: each rectangle rounded within its container, then moved by its container's.
std::vector<PixelRect> WindowPixels(const std::vector<ControlPlace>& places, int dpi = 96);

}  // namespace quorvane::ui
