#include "toolkit/font_fit.h"

namespace quorvane::ui {

namespace {

bool SameFont(const FontDescription& a, const FontDescription& b) {
  return a.family == b.family && a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

}  // namespace

FontDescription ResolvedFont(const FontDescription& control, const FontDescription& window) {
  FontDescription base = window;
  if (base.family.empty()) base.family = kDialogFontFamily;
  if (base.points <= 0) base.points = kDialogFontPoints;
  if (control.isDefault()) return base;
  FontDescription f = base;
  if (!control.family.empty()) f.family = control.family;
  if (control.points > 0) f.points = control.points;
  f.bold = control.bold;
  f.italic = control.italic;
  return f;
}

std::vector<FontUse> FontsInUse(const WindowDescription& window) {
  std::vector<FontUse> uses{FontUse{ResolvedFont(FontDescription{}, window.font), {}}};
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    const FontDescription f = ResolvedFont(window.controls[i].font, window.font);
    auto it = uses.begin();
    while (it != uses.end() && !SameFont(it->font, f)) ++it;
    if (it == uses.end()) it = uses.insert(uses.end(), FontUse{f, {}});
    it->controls.push_back(static_cast<int>(i));
  }
  return uses;
}

std::vector<std::string> CaptionsToFit(const ControlDescription& control) {
  if (!CaptionDrawn(control)) return {};
  std::vector<std::string> captions;
  if (!control.caption.empty()) captions.push_back(control.caption);
  for (const std::string& other : control.otherCaptions)
    if (!other.empty()) captions.push_back(other);
  return captions;
}

int FittedPixels(const WindowDescription& window, const FontUse& use, int nominalPixels, const CaptionFits& fits) {
  const int least = nominalPixels - nominalPixels / 4;
  for (int pixels = nominalPixels; pixels > least; --pixels) {
    bool all = true;
    for (int row : use.controls) {
      const ControlDescription& c = window.controls[static_cast<std::size_t>(row)];
      for (const std::string& caption : CaptionsToFit(c)) all = all && fits(c, caption, pixels);
      if (!all) break;
    }
    if (all) return pixels;
  }
  return least;
}

}  // namespace quorvane::ui
