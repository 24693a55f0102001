#include "toolkit/reflow.h"

#include <algorithm>
#include <cmath>

namespace quorvane::ui {

namespace {

double Right(const TwipRect& r) { return r.left + r.width; }
double Bottom(const TwipRect& r) { return r.top + r.height; }

// The controls of the client area, left to right, in columns: a column ends where no control
// spans the gap to the next one.
std::vector<std::vector<std::size_t>> Columns(const std::vector<ControlPlace>& places, double clientWidth) {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < places.size(); ++i)
    if (places[i].container < 0 && places[i].inContainer.left < clientWidth) rows.push_back(i);
  std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
    return places[a].inContainer.left < places[b].inContainer.left;
  });
  std::vector<std::vector<std::size_t>> columns;
  double right = 0;
  for (std::size_t i : rows) {
    const TwipRect& r = places[i].inContainer;
    if (columns.empty() || r.left >= right) columns.emplace_back();
    right = columns.back().empty() ? Right(r) : std::max(right, Right(r));
    columns.back().push_back(i);
  }
  return columns;
}

// Each column below the ones before it, at the first one's left.
void Stack(Reflowed& r, const std::vector<std::vector<std::size_t>>& columns) {
  double describedBottom = 0;
  for (const auto& column : columns)
    for (std::size_t i : column) describedBottom = std::max(describedBottom, Bottom(r.places[i].inContainer));
  const double firstLeft = r.places[columns.front().front()].inContainer.left;
  double stackBottom = 0, widest = 0;
  for (const auto& column : columns) {
    const double dx = r.places[column.front()].inContainer.left - firstLeft;
    const double dy = stackBottom;
    for (std::size_t i : column) {
      TwipRect& place = r.places[i].inContainer;
      place.left -= dx;
      place.top += dy;
      widest = std::max(widest, Right(place));
    }
    for (std::size_t i : column) stackBottom = std::max(stackBottom, Bottom(r.places[i].inContainer));
  }
  // In whole pixels, so that the scale fills the screen to the pixel.
  r.clientWidth = std::ceil((widest + firstLeft) / kTwipsPerPixel) * kTwipsPerPixel;
  r.clientHeight = stackBottom + (r.clientHeight - describedBottom);
}

// Narrows the window to `width` where controls grow with its width; false where none does.
bool Narrow(Reflowed& r, const WindowDescription& window, double width) {
  double leftPart = 0, rightPart = 0, margin = r.clientWidth;
  bool grows = false;
  for (std::size_t i = 0; i < r.places.size(); ++i) {
    if (r.places[i].container >= 0) continue;
    const TwipRect& place = r.places[i].inContainer;
    margin = std::min(margin, place.left);
    switch (window.controls[i].widthAnchor) {
      case HorizontalAnchor::Left: leftPart = std::max(leftPart, Right(place)); break;
      case HorizontalAnchor::Right: rightPart = std::max(rightPart, r.clientWidth - place.left); break;
      case HorizontalAnchor::Stretch: grows = true; break;
    }
  }
  if (!grows) return false;
  const double cut = r.clientWidth - std::max(width, leftPart + margin + rightPart);
  if (cut <= 0) return true;
  for (std::size_t i = 0; i < r.places.size(); ++i) {
    if (r.places[i].container >= 0) continue;
    TwipRect& place = r.places[i].inContainer;
    if (window.controls[i].widthAnchor == HorizontalAnchor::Stretch) place.width = std::max(0.0, place.width - cut);
    if (window.controls[i].widthAnchor == HorizontalAnchor::Right) place.left -= cut;
  }
  r.clientWidth -= cut;
  return true;
}

}  // namespace

Reflowed Reflow(const WindowDescription& window, const std::vector<ControlPlace>& places, double clientWidth,
                double clientHeight, double screenWidth, double frameWidth) {
  Reflowed r{false, places, clientWidth, clientHeight, 1.0};
  if (screenWidth >= kNarrowScreenTwips || places.empty()) return r;
  r.narrow = true;
  const auto columns = Columns(places, clientWidth);
  if (!window.heightOnly && clientWidth + frameWidth > screenWidth && columns.size() > 1) Stack(r, columns);
  r.scale = std::min(kMostReflowScale, screenWidth / (r.clientWidth + frameWidth));
  if (r.scale < 1 && Narrow(r, window, screenWidth - frameWidth))
    r.scale = std::min(1.0, screenWidth / (r.clientWidth + frameWidth));
  // A text box takes touches in its own box: one lower than a touch target grows to it, about its middle.
  const double leastTouch = std::ceil(kLeastTouchPixels / r.scale) * kTwipsPerPixel;
  for (std::size_t i = 0; i < r.places.size(); ++i) {
    TwipRect& place = r.places[i].inContainer;
    if (window.controls[i].kind != ControlKind::TextBox || place.height >= leastTouch) continue;
    place.top -= (leastTouch - place.height) / 2;
    place.height = leastTouch;
  }
  // The frames' contents move with them.
  for (ControlPlace& p : r.places) {
    p.inWindow = p.inContainer;
    if (p.container < 0) continue;
    const TwipRect& outer = r.places[static_cast<std::size_t>(p.container)].inWindow;
    p.inWindow.left += outer.left;
    p.inWindow.top += outer.top;
  }
  return r;
}

double LeastTouchPixels(const Reflowed& reflowed) { return reflowed.narrow ? kLeastTouchPixels / reflowed.scale : 0; }

int LeastTextBoxFontPixels(const Reflowed& reflowed) {
  return reflowed.narrow ? static_cast<int>(std::ceil(kLeastTextBoxFontPixels / reflowed.scale)) : 0;
}

int ControlNamedBy(const WindowDescription& window, int label) {
  const auto& rows = window.controls;
  const ControlDescription& named = rows.at(static_cast<std::size_t>(label));
  if (named.kind != ControlKind::Label || named.caption.empty()) return -1;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    if ((c.kind == ControlKind::OptionButton || c.kind == ControlKind::CheckBox) && c.container == named.container &&
        !CaptionDrawn(c) && c.accessibleName == named.caption)
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace quorvane::ui
