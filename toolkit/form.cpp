#include "toolkit/form.h"

#include <algorithm>

namespace quorvane::ui {

Form::Form(const WindowDescription& description) : description_(description), caption_(description.caption) {
  const auto& rows = description_.controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    if (byName_.count(c.name))
      throw ControlLookupError("window " + name() + ": control " + c.name + " described twice");
    int container = -1;
    if (!c.container.empty()) {
      const auto it = byName_.find(c.container);
      if (it == byName_.end() || rows[static_cast<std::size_t>(it->second)].kind != ControlKind::Frame)
        throw ControlLookupError("window " + name() + ": container " + c.container + " of " + c.name +
                                 " is not a frame described before it");
      container = it->second;
    }
    byName_[c.name] = static_cast<int>(i);
    container_.push_back(container);
    memberIndex_.push_back(SplitArrayName(c.name).index);
    state_.push_back(State{c.caption, c.value, c.visible, true, false, {}});
  }
  for (std::size_t i = 0; i < rows.size(); ++i) state_[i].shown = shownInWindow(static_cast<int>(i));
  handlers_.resize(rows.size());
  for (std::size_t i = 0; i < description_.contextMenu.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (description_.contextMenu[i].name == description_.contextMenu[j].name)
        throw ControlLookupError("window " + name() + ": menu item " + description_.contextMenu[i].name +
                                 " described twice");
  menuHandlers_.resize(description_.contextMenu.size());
  std::vector<int> focusable;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (IsFocusable(rows[i].kind)) focusable.push_back(static_cast<int>(i));
  std::stable_sort(focusable.begin(), focusable.end(), [&](int a, int b) { return row(a).tabIndex < row(b).tabIndex; });
  tabOrder_ = std::move(focusable);

  WindowDescription built = PeerDescription(description_);
  for (std::size_t i = 0; i < rows.size(); ++i) built.controls[i].visible = state_[i].shown;
  places_ = LayOut(description_);
  peer_ = CurrentBackend().createWindow(built, *this);
  peer_->place(places_);
  // The start values, as every later change reaches the peer.
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind == ControlKind::CheckBox || rows[i].kind == ControlKind::OptionButton)
      peer_->setValue(static_cast<int>(i), state_[i].value);
  // The focus starts on the first control that Tab would reach.
  if (const int first = nextTabStop(-1, true); first >= 0) peer_->setFocus(first);
}

Form::~Form() = default;

int Form::indexOf(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? -1 : it->second;
}

ControlRef Form::control(const std::string& name) {
  const int index = indexOf(name);
  if (index < 0) throw ControlLookupError("window " + this->name() + " has no control " + name);
  return ControlRef(this, index);
}

std::vector<std::string> Form::controlNames() const {
  std::vector<std::string> names;
  for (const ControlDescription& c : description_.controls) names.push_back(c.name);
  return names;
}

void Form::setCaption(const std::string& caption) {
  caption_ = caption;
  peer_->setWindowCaption(caption);
}

void Form::setClickHandler(int control, std::function<void()> handler) {
  handlers_.at(static_cast<std::size_t>(control)) = std::move(handler);
}

void Form::setClickHandler(const std::string& nameOrArray, Handler handler) {
  if (const int control = indexOf(nameOrArray); control >= 0) {
    setClickHandler(control, [handler] { handler(-1); });
    return;
  }
  bool found = false;
  for (std::size_t i = 0; i < description_.controls.size(); ++i) {
    if (memberIndex_[i] < 0 || SplitArrayName(description_.controls[i].name).base != nameOrArray) continue;
    setClickHandler(static_cast<int>(i), [handler, index = memberIndex_[i]] { handler(index); });
    found = true;
  }
  if (!found) throw ControlLookupError("window " + name() + " has no control or array " + nameOrArray);
}

void Form::setMenuHandler(MenuItemId item, std::function<void()> handler) {
  for (std::size_t i = 0; i < description_.contextMenu.size(); ++i) {
    if (description_.contextMenu[i].name != item.name) continue;
    menuHandlers_[i] = std::move(handler);
    return;
  }
  throw ControlLookupError("window " + name() + " has no menu item " + item.name);
}

bool Form::userAskedForMenu(double leftTwips, double topTwips) {
  if (description_.contextMenu.empty()) return false;
  popUpMenu(leftTwips, topTwips);
  return true;
}

void Form::popUpMenu(double leftTwips, double topTwips) {
  std::vector<MenuEntry> entries;
  for (const MenuItemDescription& item : description_.contextMenu)
    entries.push_back({item.caption, ShortcutText(item)});
  peer_->popUpMenu(entries, leftTwips, topTwips);
}

void Form::userResized(double clientHeightTwips) {
  if (peer_) peer_->place(LayOut(description_, clientHeightTwips));
}

void Form::userChoseMenuItem(int item) {
  if (item < 0 || item >= static_cast<int>(menuHandlers_.size())) return;
  // A copy: the handler may replace itself.
  if (const std::function<void()> handler = menuHandlers_[static_cast<std::size_t>(item)]) handler();
}

void Form::setVisibleOf(int control, bool visible) {
  state_[static_cast<std::size_t>(control)].visible = visible;
  // The control and everything its frame holds, each as its own flag and its frames' say.
  for (std::size_t i = 0; i < state_.size(); ++i) {
    const int other = static_cast<int>(i);
    if (!isInside(other, control)) continue;
    const bool shown = shownInWindow(other);
    if (state_[i].shown == shown) continue;
    state_[i].shown = shown;
    peer_->setShown(other, shown);
  }
}

bool Form::isInside(int control, int container) const {
  for (int c = control; c >= 0; c = container_[static_cast<std::size_t>(c)])
    if (c == container) return true;
  return false;
}

void Form::setValueOf(int control, int value, bool fromUser) {
  State& s = state_[static_cast<std::size_t>(control)];
  if (row(control).kind == ControlKind::OptionButton) {
    const int on = value != 0 ? 1 : 0;
    if (s.value == on) return;
    if (on) {
      // The group clears its other members.
      for (std::size_t i = 0; i < state_.size(); ++i) {
        const int other = static_cast<int>(i);
        if (other != control && state_[i].value != 0 && sameGroup(other, control)) {
          state_[i].value = 0;
          peer_->setValue(other, 0);
        }
      }
      s.value = 1;
      peer_->setValue(control, 1);
      runHandler(control);
    } else {
      s.value = 0;
      peer_->setValue(control, 0);
    }
    return;
  }
  // A check box: the user only toggles between 0 and 1; the code may also set 2 (greyed).
  const int v = value == 1 || value == 2 ? value : 0;
  if (s.value == v) {
    if (fromUser) peer_->setValue(control, v);
    return;
  }
  s.value = v;
  peer_->setValue(control, v);
  runHandler(control);
}

void Form::userPressed(int control) {
  if (row(control).kind == ControlKind::CommandButton) runHandler(control);
}

void Form::userChanged(int control, int value) {
  const ControlKind kind = row(control).kind;
  if (kind == ControlKind::OptionButton) {
    // The native group may have cleared the selected member already; the model follows the
    // user's choice. A click on the selected member runs nothing.
    if (value != 0)
      setValueOf(control, 1, true);
    else
      peer_->setValue(control, state_[static_cast<std::size_t>(control)].value);
  } else if (kind == ControlKind::CheckBox) {
    setValueOf(control, value, true);
  }
}

void Form::runHandler(int control) {
  // A copy: the handler may replace itself.
  if (const std::function<void()> handler = handlers_[static_cast<std::size_t>(control)]) handler();
}

bool Form::sameGroup(int a, int b) const {
  return row(a).kind == ControlKind::OptionButton && row(b).kind == ControlKind::OptionButton &&
         container_[static_cast<std::size_t>(a)] == container_[static_cast<std::size_t>(b)];
}

void Form::closedByUser() {
  if (owned_) {
    LoadedWindows::unload(*this);
    return;
  }
  if (closed_) {
    const auto handler = closed_;
    handler();
  }
}

bool Form::shownInWindow(int control) const {
  for (int c = control; c >= 0; c = container_[static_cast<std::size_t>(c)])
    if (!state_[static_cast<std::size_t>(c)].visible) return false;
  return true;
}

}  // namespace quorvane::ui
