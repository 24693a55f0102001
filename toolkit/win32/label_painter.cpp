#include "toolkit/win32/label_painter.h"

#include <algorithm>
#include <string>

#include "toolkit/win32/fonts.h"

namespace quorvane::ui::win32 {

void LabelPainter::paint(const ControlDescription& c, const std::wstring& text, HFONT font,
                         const DRAWITEMSTRUCT& item) {
  paint(c, text, font, item.hDC, item.rcItem);
}

void LabelPainter::paint(const ControlDescription& c, const std::wstring& text, HFONT font, HDC target,
                         const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  if (!dc_) dc_.reset(CreateCompatibleDC(target));
  if (!dc_) return;
  if (!canvas_ || size_.cx < width || size_.cy < height) {
    const SIZE size{std::max<LONG>(width, size_.cx), std::max<LONG>(height, size_.cy)};
    BitmapOwner bigger(CreateCompatibleBitmap(target, size.cx, size.cy));
    if (!bigger) return;
    // The new picture replaces the old one in the context before the old one goes.
    SelectObject(dc_.get(), bigger.get());
    canvas_ = std::move(bigger);
    size_ = size;
  }
  const HDC dc = dc_.get();
  const Selection selected(dc, font);
  RECT r{0, 0, width, height};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (c.align != Alignment::Left) r.right -= kInkOverhangPixels;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.colour.set ? RGB(c.colour.red, c.colour.green, c.colour.blue) : GetSysColor(COLOR_BTNTEXT));
  const UINT align = c.align == Alignment::Centre ? DT_CENTER : c.align == Alignment::Right ? DT_RIGHT : DT_LEFT;
  // Unclipped: what the glyphs ink beyond their measured width stays on the label.
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
            align | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_NOCLIP);
  BitBlt(target, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
}

}  // namespace quorvane::ui::win32
