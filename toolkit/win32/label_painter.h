#pragma once

// Paints the labels of a window, which are owner-drawn statics: the whole label goes to the
// screen at once from a picture, so that a caption that changes many times a second never shows
// an empty label in between. The text is the caption the window keeps for the label, the font the
// one it gave the static: the label is not asked for either (a message to the label is a round trip
// to Wine's server, where the label answers for its text).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

#include "toolkit/description.h"
#include "toolkit/win32/gdi.h"

namespace quorvane::ui::win32 {

class LabelPainter {
 public:
  // As the static control asks for it, showing `text` in `font`.
  void paint(const ControlDescription& label, const std::wstring& text, HFONT font, const DRAWITEMSTRUCT& item);
  // The whole label showing `text` in `font` into `dc`, its client area at `area` there.
  void paint(const ControlDescription& label, const std::wstring& text, HFONT font, HDC dc, const RECT& area);

 private:
  // One picture for the window's labels, kept while it is large enough. Declared before the
  // device context: the context goes first, and the picture with nothing holding it.
  BitmapOwner canvas_;
  MemoryDc dc_;
  SIZE size_{0, 0};
};

}  // namespace quorvane::ui::win32
