#pragma once

// Paints the labels of a window, which are owner-drawn statics: the whole label goes to the
// screen at once from a picture, so that a caption that changes many times a second never shows
// an empty label in between. The text is the static's own, the font the one it was given.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "toolkit/description.h"
#include "toolkit/win32/gdi.h"

namespace quorvane::ui::win32 {

class LabelPainter {
 public:
  // As the static control asks for it.
  void paint(const ControlDescription& label, const DRAWITEMSTRUCT& item);
  // The whole label `control` into `dc`, its client area at `area` there.
  void paint(const ControlDescription& label, HWND control, HDC dc, const RECT& area);

 private:
  // One picture for the window's labels, kept while it is large enough. Declared before the
  // device context: the context goes first, and the picture with nothing holding it.
  BitmapOwner canvas_;
  MemoryDc dc_;
  SIZE size_{0, 0};
};

}  // namespace quorvane::ui::win32
