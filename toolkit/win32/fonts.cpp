#include "toolkit/win32/fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "core/utf16.h"
#include "toolkit/font_fit.h"

namespace quorvane::ui::win32 {

namespace {

FontOwner MakeFont(const std::wstring& face, int pixels, bool bold, bool italic) {
  LOGFONTW font{};
  // Negative: the size of the characters themselves, as points give it, without the leading.
  font.lfHeight = -pixels;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return FontOwner(CreateFontIndirectW(&font));
}

// The size in pixels of a font of `points` at `dpi`, rounded down, so that a caption is never
// wider than the layout scaled.
int NominalPixels(double points, int dpi) {
  return std::max(1, static_cast<int>(std::floor(points * dpi / 72.0 + 1e-9)));
}

// Whether the system sets `font` in the face asked for, at about the size asked for: not in a
// stand-in face, nor in a size of a bitmap face far from it.
bool SetAsAsked(HFONT font, const std::wstring& face, int pixels) {
  const WindowDc screen;
  if (!screen || !font) return false;
  const Selection selected(screen.get(), font);
  TEXTMETRICW metrics{};
  wchar_t got[LF_FACESIZE] = {};
  if (!GetTextMetricsW(screen.get(), &metrics) || !GetTextFaceW(screen.get(), LF_FACESIZE, got)) return false;
  const int height = static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
  return lstrcmpiW(got, face.c_str()) == 0 && std::abs(height - pixels) <= std::max(1, pixels / 8);
}

// A scalable face of the dialog font's design, or close to it, for the sizes the dialog face
// lacks; the dialog face itself where the system has none.
const std::wstring& ScalableDialogFace() {
  static const std::wstring face = [] {
    for (const wchar_t* candidate : {L"Microsoft Sans Serif", L"Tahoma"}) {
      const FontOwner font = MakeFont(candidate, 11, false, false);
      if (SetAsAsked(font.get(), candidate, 11)) return std::wstring(candidate);
    }
    return Wide(kDialogFontFamily);
  }();
  return face;
}

bool IsDialogFace(const std::string& family) {
  return lstrcmpiW(Wide(family).c_str(), Wide(kDialogFontFamily).c_str()) == 0;
}

// The column right of the last one that `text` inks, set as DrawText's `format` sets it within
// `width` pixels: hinted glyphs may reach a pixel or two beyond the width that their advances add
// up to, and a control that sets them flush with its edge cuts that off.
int InkRight(HDC screen, HFONT font, const std::wstring& text, UINT format, int width, int height) {
  const int room = width + 8;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = room;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const MemoryDc dc(CreateCompatibleDC(screen));
  const BitmapOwner picture(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !picture || !bits) return 0;
  const Selection selectedPicture(dc.get(), picture.get());
  const Selection selectedFont(dc.get(), font);
  auto* const pixels = static_cast<std::uint32_t*>(bits);
  const std::size_t count = static_cast<std::size_t>(room) * static_cast<std::size_t>(height);
  std::fill(pixels, pixels + count, 0xffffffu);
  SetTextColor(dc.get(), RGB(0, 0, 0));
  SetBkMode(dc.get(), TRANSPARENT);
  RECT r{0, 0, width, height};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
            (format & ~static_cast<UINT>(DT_CALCRECT)) | DT_NOCLIP);
  GdiFlush();
  for (int x = room; x-- > 0;)
    for (int y = 0; y < height; ++y)
      if ((pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(room) + static_cast<std::size_t>(x)] &
           0xffffffu) != 0xffffffu)
        return x + 1;
  return 0;
}

// Whether `caption` fits `control` in `font`, as the native control sets it at `dpi`.
bool CaptionFits(const ControlDescription& c, const std::wstring& caption, HFONT font, int dpi) {
  if (caption.empty()) return true;
  // The room that the control leaves its caption, and how it sets it there.
  int width = TwipsToPixels(c.width, dpi);
  int height = TwipsToPixels(c.height, dpi);
  UINT format = DT_CALCRECT | DT_WORDBREAK;
  // Where what the glyphs ink beyond their measured width is cut off: at the edge of the room,
  // at the end of the caption's measured width, or nowhere (room is kept for it).
  enum class InkCut { AtRoom, AtCaption, Nowhere } cut = InkCut::AtRoom;
  switch (c.kind) {
    case ControlKind::Label:
      format |= DT_NOPREFIX | DT_EXPANDTABS;
      // Labels set right or centred keep the room for it at their right edge (LabelPainter).
      if (c.align != Alignment::Left) width -= kInkOverhangPixels, cut = InkCut::Nowhere;
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      // The indicator and the gap before the caption. Without a border, a caption that ends a
      // pixel or two below the control, in its leading, still reads whole.
      width -= MulDiv(13 + 4, dpi, 96);
      height += MulDiv(2, dpi, 96);
      break;
    case ControlKind::CommandButton:
      width -= MulDiv(8, dpi, 96);
      format = DT_CALCRECT | DT_SINGLELINE;
      cut = InkCut::Nowhere;
      break;
    case ControlKind::Frame:
      // A group box clips its caption to the caption's measured width.
      width -= MulDiv(16, dpi, 96);
      format = DT_CALCRECT | DT_SINGLELINE;
      cut = InkCut::AtCaption;
      break;
    default: return true;
  }
  width = std::max(1, width);
  const WindowDc screen;
  if (!screen) return true;
  RECT r{0, 0, width, 0};
  {
    const Selection selected(screen.get(), font);
    DrawTextW(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &r, format);
  }
  if (r.right > width || (!(format & DT_SINGLELINE) && r.bottom > height)) return false;
  if (cut == InkCut::Nowhere) return true;
  const int ink = InkRight(screen.get(), font, caption, format, width, std::max<int>(1, r.bottom));
  return ink <= (cut == InkCut::AtRoom ? width : static_cast<int>(r.right));
}

struct Fitted {
  int pixels;
  FontOwner font;
};

// One font of the window in `face`, in the size that FittedPixels finds for it.
Fitted Fit(const WindowDescription& window, const FontUse& use, const std::wstring& face, int dpi) {
  std::map<int, FontOwner> made;
  const auto at = [&](int pixels) {
    FontOwner& font = made[pixels];
    if (!font) font = MakeFont(face, pixels, use.font.bold, use.font.italic);
    return font.get();
  };
  const int pixels = FittedPixels(window, use, NominalPixels(use.font.points, dpi),
                                  [&](const ControlDescription& control, const std::string& caption, int size) {
                                    return CaptionFits(control, Wide(caption), at(size), dpi);
                                  });
  at(pixels);
  return Fitted{pixels, std::move(made[pixels])};
}

}  // namespace

WindowFonts::WindowFonts(const WindowDescription& description, int dpi) {
  const std::vector<FontUse> uses = FontsInUse(description);
  const auto fitAll = [&](const std::wstring& dialogFace) {
    std::vector<Fitted> fitted;
    for (const FontUse& use : uses)
      fitted.push_back(Fit(description, use, IsDialogFace(use.font.family) ? dialogFace : Wide(use.font.family), dpi));
    return fitted;
  };
  const std::wstring dialogFace = Wide(kDialogFontFamily);
  std::vector<Fitted> fitted = fitAll(dialogFace);
  bool asAsked = true;
  for (std::size_t i = 0; i < uses.size(); ++i)
    if (!uses[i].controls.empty() && IsDialogFace(uses[i].font.family))
      asAsked = asAsked && SetAsAsked(fitted[i].font.get(), dialogFace, fitted[i].pixels);
  if (!asAsked && ScalableDialogFace() != dialogFace) fitted = fitAll(ScalableDialogFace());

  byControl_.resize(description.controls.size(), 0);
  for (std::size_t i = 0; i < uses.size(); ++i) {
    fonts_.push_back(std::move(fitted[i].font));
    for (int control : uses[i].controls) byControl_[static_cast<std::size_t>(control)] = i;
  }
}

}  // namespace quorvane::ui::win32
