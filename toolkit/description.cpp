#include "toolkit/description.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace quorvane::ui {

int TwipsToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

double PixelsToTwips(int pixels, int dpi) { return static_cast<double>(pixels) * kTwipsPerInch / dpi; }

ControlDescription Control(ControlKind kind, std::string name, std::string container, std::string caption, int left,
                           int top, int width, int height, int tabIndex) {
  ControlDescription c;
  c.kind = kind;
  c.name = std::move(name);
  c.container = std::move(container);
  c.caption = std::move(caption);
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  c.tabIndex = tabIndex;
  return c;
}

ControlDescription Line(std::string name, std::string container, int x1, int y1, int x2, int y2, Colour colour,
                        int widthPixels) {
  ControlDescription c = Control(ControlKind::Line, std::move(name), std::move(container), std::string(),
                                 std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1), -1);
  c.colour = colour;
  c.lineWidth = widthPixels;
  return c;
}

ControlDescription Line(MemberId<ControlKind::Line> id, FrameId container, int x1, int y1, int x2, int y2,
                        Colour colour, int widthPixels) {
  return Line(id.name(), container.name, x1, y1, x2, y2, colour, widthPixels);
}

const ControlDescription& DescribedControl(const WindowDescription& window, const std::string& name) {
  for (const ControlDescription& c : window.controls)
    if (c.name == name) return c;
  throw std::logic_error("the window " + window.name + " has no control " + name);
}

bool CarriesCaption(ControlKind kind) {
  return kind != ControlKind::TextBox && kind != ControlKind::Line && kind != ControlKind::PictureBox &&
         kind != ControlKind::Table;
}

std::string ShortcutText(const MenuItemDescription& item) {
  if (item.controlKey == 0) return std::string();
  const char key = item.controlKey >= 'a' && item.controlKey <= 'z' ? static_cast<char>(item.controlKey - 'a' + 'A')
                                                                    : item.controlKey;
  return std::string("Ctrl+") + key;
}

bool CaptionDrawn(const ControlDescription& c) {
  if (!CarriesCaption(c.kind)) return false;
  if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton)
    return c.width - kIndicatorTwips >= kLeastCaptionRoomTwips;
  return true;
}

WindowDescription PeerDescription(const WindowDescription& description) {
  WindowDescription peer = description;
  for (ControlDescription& c : peer.controls) {
    if (!CaptionDrawn(c) && c.kind != ControlKind::TextBox) c.caption.clear();
  }
  return peer;
}

char AccessKeyOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const char c = caption[i + 1];
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return c;
    return 0;
  }
  return 0;
}

bool IsFocusable(ControlKind kind) {
  switch (kind) {
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::CommandButton:
    case ControlKind::PictureBox:
    case ControlKind::Table: return true;
    default: return false;
  }
}

ArrayName SplitArrayName(const std::string& name) {
  // "Base(digits)"
  if (name.size() < 4 || name.back() != ')') return {name, -1};
  const std::size_t open = name.rfind('(');
  if (open == std::string::npos || open == 0 || open + 2 > name.size() - 1) return {name, -1};
  const std::string digits = name.substr(open + 1, name.size() - open - 2);
  if (digits.empty() || digits.size() > 6 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {name, -1};
  return {name.substr(0, open), std::atoi(digits.c_str())};
}

std::string MemberName(const std::string& arrayName, int index) {
  return arrayName + "(" + std::to_string(index) + ")";
}

}  // namespace quorvane::ui
