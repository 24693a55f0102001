// The keyboard of every window: the tab order, Tab and Shift+Tab, Enter and Esc, access keys, the
// arrows in a group of option buttons and the keys of the context menu (see form.h).

#include <algorithm>

#include "toolkit/form.h"

namespace quorvane::ui {

bool Form::canTakeTabFocus(int control) const {
  if (!shownInWindow(control)) return false;
  // Wholly outside the client area (the window's right part while it is narrowed)?
  const TwipRect& r = places_[static_cast<std::size_t>(control)].inWindow;
  const ControlDescription& d = row(control);
  const double clientWidth = peer_->clientWidthTwips();
  const double clientHeight = peer_->clientHeightTwips();
  if (r.left >= clientWidth || r.top >= clientHeight || r.left + d.width <= 0 || r.top + d.height <= 0) return false;
  if (d.kind != ControlKind::OptionButton) return true;
  // A group's stop: its selected member, or while none can take it, its first member in tab order.
  int stop = -1;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    const int other = static_cast<int>(i);
    if (sameGroup(other, control) && state_[i].value != 0 && shownInWindow(other)) stop = other;
  }
  for (auto it = tabOrder_.begin(); stop < 0 && it != tabOrder_.end(); ++it)
    if (sameGroup(*it, control) && shownInWindow(*it)) stop = *it;
  return stop == control;
}

int Form::nextTabStop(int from, bool forward) const {
  const int n = static_cast<int>(tabOrder_.size());
  if (n == 0) return -1;
  const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), from);
  const int start = at == tabOrder_.end() ? (forward ? -1 : n) : static_cast<int>(at - tabOrder_.begin());
  for (int step = 1; step <= n; ++step) {
    const int candidate = tabOrder_[static_cast<std::size_t>(((start + (forward ? step : -step)) % n + n) % n)];
    if (candidate == from) break;
    if (from >= 0 && sameGroup(candidate, from)) continue;
    if (canTakeTabFocus(candidate)) return candidate;
  }
  return -1;
}

namespace {

bool IsDefaultButton(const ControlDescription& c) { return c.kind == ControlKind::CommandButton && c.isDefault; }
bool IsCancelButton(const ControlDescription& c) { return c.kind == ControlKind::CommandButton && c.isCancel; }

}  // namespace

int Form::focusedControl() const {
  const int focus = peer_->focused();
  return focus >= 0 && focus < static_cast<int>(state_.size()) ? focus : -1;
}

void Form::focusByKeyboard(int control) {
  peer_->setFocus(control);
  if (row(control).kind == ControlKind::TextBox) peer_->selectAll(control);
}

// What a click does to the control, for the keyboard.
void Form::activate(int control) {
  switch (row(control).kind) {
    case ControlKind::CommandButton: runHandler(control); break;
    case ControlKind::CheckBox:
      setValueOf(control, state_[static_cast<std::size_t>(control)].value == 1 ? 0 : 1, true);
      break;
    case ControlKind::OptionButton: setValueOf(control, 1, true); break;
    default: break;
  }
}

int Form::buttonFor(bool (*is)(const ControlDescription&)) const {
  for (std::size_t i = 0; i < description_.controls.size(); ++i)
    if (is(description_.controls[i]) && shownInWindow(static_cast<int>(i))) return static_cast<int>(i);
  return -1;
}

bool Form::moveInGroup(int from, bool forward) {
  // The members on the screen, in reading order.
  struct Place {
    int control;
    double top, left;
  };
  std::vector<Place> members;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    const int member = static_cast<int>(i);
    if (!sameGroup(member, from) || !shownInWindow(member)) continue;
    const TwipRect& r = places_[i].inWindow;
    members.push_back(Place{member, r.top, r.left});
  }
  std::stable_sort(members.begin(), members.end(),
                   [](const Place& a, const Place& b) { return a.top != b.top ? a.top < b.top : a.left < b.left; });
  const auto at = std::find_if(members.begin(), members.end(), [from](const Place& p) { return p.control == from; });
  if (at == members.end()) return true;
  const std::size_t n = members.size();
  const std::size_t position = static_cast<std::size_t>(at - members.begin());
  const int target = members[(position + (forward ? 1 : n - 1)) % n].control;
  if (target == from) return true;
  peer_->setFocus(target);
  activate(target);
  return true;
}

bool Form::accessKey(char key) {
  for (std::size_t i = 0; i < description_.controls.size(); ++i) {
    const int control = static_cast<int>(i);
    const ControlDescription& c = row(control);
    const bool clickable =
        c.kind == ControlKind::CommandButton || c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton;
    if (!clickable || !CaptionDrawn(c) || AccessKeyOf(state_[i].caption) != key || !shownInWindow(control)) continue;
    peer_->setFocus(control);
    activate(control);
    return true;
  }
  return false;
}

bool Form::userKey(const KeyEvent& k) {
  const int focus = focusedControl();
  const bool menuKey = k.key == Key::Menu || (k.key == Key::Function10 && k.shift && !k.control && !k.alt);
  if (menuKey) {
    if (description_.contextMenu.empty()) return false;
    // Under the control that has the focus; else at the client area's corner.
    const TwipRect r = focus >= 0 ? places_[static_cast<std::size_t>(focus)].inWindow : TwipRect{};
    popUpMenu(r.left, r.top + (focus >= 0 ? row(focus).height : 0));
    return true;
  }
  if (k.control) {
    if (k.alt || k.key != Key::Character || k.character == 0) return false;
    // The platform copies a selection of its own.
    if (focus >= 0 && row(focus).kind == ControlKind::TextBox && peer_->hasSelectedText(focus)) return false;
    for (std::size_t i = 0; i < description_.contextMenu.size(); ++i) {
      if (description_.contextMenu[i].controlKey != k.character) continue;
      userChoseMenuItem(static_cast<int>(i));
      return true;
    }
    return false;
  }
  switch (k.key) {
    case Key::Tab: {
      if (k.alt) return false;
      if (const int target = nextTabStop(focus, !k.shift); target >= 0) focusByKeyboard(target);
      return true;
    }
    case Key::Enter: {
      if (k.alt) return false;
      int target = focus >= 0 && row(focus).kind == ControlKind::CommandButton ? focus : buttonFor(IsDefaultButton);
      if (target < 0) return false;
      runHandler(target);
      return true;
    }
    case Key::Escape: {
      if (k.alt) return false;
      const int target = buttonFor(IsCancelButton);
      if (target < 0) return false;
      runHandler(target);
      return true;
    }
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down:
      if (k.alt || focus < 0 || row(focus).kind != ControlKind::OptionButton) return false;
      return moveInGroup(focus, k.key == Key::Right || k.key == Key::Down);
    case Key::Character:
      if (k.character == 0) return false;
      // With Alt anywhere; alone where it types nothing.
      if (!k.alt && focus >= 0 && row(focus).kind == ControlKind::TextBox) return false;
      return accessKey(k.character);
    case Key::Function10:
    case Key::Menu: break;
  }
  return false;
}

}  // namespace quorvane::ui
