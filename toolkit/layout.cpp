#include "toolkit/layout.h"

#include <algorithm>
#include <stdexcept>

namespace quorvane::ui {

namespace {

// The rectangles in the window: each control's in its container moved by its container's, which
// comes before it. The one walk up the containers, for twips and for pixels alike.
template <class Rect, class InContainer>
std::vector<Rect> InWindow(const std::vector<ControlPlace>& places, InContainer inContainer) {
  std::vector<Rect> placed;
  placed.reserve(places.size());
  for (const ControlPlace& p : places) {
    Rect r = inContainer(p);
    if (p.container >= 0) {
      const Rect& outer = placed[static_cast<std::size_t>(p.container)];
      r.left += outer.left;
      r.top += outer.top;
    }
    placed.push_back(r);
  }
  return placed;
}

}  // namespace

std::vector<ControlPlace> LayOut(const WindowDescription& window, double clientHeight) {
  const auto& rows = window.controls;
  std::vector<ControlPlace> places(rows.size());
  // How much higher than described each control's container is: the client area by the user's
  // say, a frame by its anchor.
  std::vector<double> grown(rows.size(), 0);
  const double clientGrown = clientHeight - window.clientHeight;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    ControlPlace& p = places[i];
    if (!c.container.empty()) {
      for (std::size_t j = 0; j < i && p.container < 0; ++j)
        if (rows[j].name == c.container && rows[j].kind == ControlKind::Frame) p.container = static_cast<int>(j);
      if (p.container < 0)
        throw std::logic_error("window " + window.name + ": container " + c.container + " of " + c.name +
                               " is not a frame described before it");
    }
    const double change = p.container < 0 ? clientGrown : grown[static_cast<std::size_t>(p.container)];
    TwipRect& r = p.inContainer;
    r = TwipRect{static_cast<double>(c.left), static_cast<double>(c.top), static_cast<double>(c.width),
                 static_cast<double>(c.height)};
    if (c.anchor == VerticalAnchor::Bottom) r.top += change;
    if (c.anchor == VerticalAnchor::Stretch) r.height += change, grown[i] = change;
    if (c.kind == ControlKind::Line) {
      const double thickness = static_cast<double>(c.lineWidth) * kTwipsPerPixel;
      (c.width < c.height ? r.width : r.height) = thickness;
    }
  }
  const std::vector<TwipRect> inWindow =
      InWindow<TwipRect>(places, [](const ControlPlace& p) { return p.inContainer; });
  for (std::size_t i = 0; i < places.size(); ++i) places[i].inWindow = inWindow[i];
  return places;
}

std::vector<ControlPlace> LayOut(const WindowDescription& window) { return LayOut(window, window.clientHeight); }

double LeastClientHeight(const WindowDescription& window) {
  return window.minClientHeight > 0 ? window.minClientHeight : window.clientHeight;
}

PixelRect ToPixels(const TwipRect& twips, int dpi) {
  return PixelRect{TwipsToPixels(twips.left, dpi), TwipsToPixels(twips.top, dpi),
                   std::max(1, TwipsToPixels(twips.width, dpi)), std::max(1, TwipsToPixels(twips.height, dpi))};
}

std::vector<PixelRect> WindowPixels(const std::vector<ControlPlace>& places, int dpi) {
  return InWindow<PixelRect>(places, [dpi](const ControlPlace& p) { return ToPixels(p.inContainer, dpi); });
}

}  // namespace quorvane::ui
