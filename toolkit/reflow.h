#pragma once

// A window on a narrow screen (a phone held upright), for a back-end whose screen can be that
// narrow (the page; the desktop back-ends never reflow): where each control goes when the
// window's columns stack, how much the window is scaled to fill the screen's width, and how
// large touch targets and the text of text boxes are at least. The back-end only applies it.

#include <vector>

#include "toolkit/layout.h"

namespace quorvane::ui {

// A screen narrower than this (twips, 15 to the page's pixel) is narrow.
inline constexpr double kNarrowScreenTwips = 600.0 * kTwipsPerPixel;
// On a narrow screen a window is scaled up at most this much.
inline constexpr double kMostReflowScale = 2.0;
// On a narrow screen, in the screen's pixels: the least width and height of the area that takes a
// touch of a control (larger than the drawn control where that is smaller), and the least size of
// a text box's text (a browser zooms the page when a box with smaller text gets the focus).
inline constexpr int kLeastTouchPixels = 24;
inline constexpr int kLeastTextBoxFontPixels = 16;

// What the window's own geometry becomes on the screen. Lengths in twips of the window, which
// the screen shows `scale` times as large.
struct Reflowed {
  bool narrow = false;               // a narrow screen: the window fills its width, at its left edge
  std::vector<ControlPlace> places;  // every control, as LayOut gives it but for the reflow
  double clientWidth = 0, clientHeight = 0;
  double scale = 1;
};

// The window of `places` (LayOut's), its client area `clientWidth` by `clientHeight` (the width
// the window has now: a window narrowed by its code keeps its right part outside), on a screen
// `screenWidth` wide, the window's frame `frameWidth` wide (both in the screen's twips).
// On a screen that is not narrow nothing changes. On a narrow one:
// - where the window is wider than the screen, its columns (the controls of its client area,
//   split where no control spans a vertical gap) stack: each column below the ones left of it, at
//   the first column's left; the window is as wide as its widest column with the first column's
//   margin on each side, as high as the stack with the described bottom margin. A window that the
//   user makes higher or lower keeps its columns and its height.
// - the window is scaled to fill the screen's width (at most kMostReflowScale). Where that would
//   make it smaller and it has controls that grow with the width (a table, which scrolls inside
//   itself), it keeps its size and is narrowed to the screen instead: those grow narrower, those
//   kept to the right edge move left, down to the width its other controls need.
// - a text box lower than a touch target grows to it, about its middle.
Reflowed Reflow(const WindowDescription& window, const std::vector<ControlPlace>& places, double clientWidth,
                double clientHeight, double screenWidth, double frameWidth);

// In the window's own pixels (before the scale): the least touch area and text box font size of
// a reflowed window; 0 where the screen is not narrow.
double LeastTouchPixels(const Reflowed& reflowed);
int LeastTextBoxFontPixels(const Reflowed& reflowed);

// The control that a label names, where a tap on the label chooses it: the option button or check
// box of the same container that draws no caption of its own and whose accessible name is the
// label's caption; -1 for none.
int ControlNamedBy(const WindowDescription& window, int label);

}  // namespace quorvane::ui
