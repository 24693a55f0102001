#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/controls.h"

namespace quorvane::ui {

namespace {

Backend*& InstalledBackend() {
  static Backend* backend = nullptr;
  return backend;
}

MessageBoxHook& MessageHook() {
  static MessageBoxHook hook;
  return hook;
}

ScreenSizeHook& ScreenHook() {
  static ScreenSizeHook hook;
  return hook;
}

}  // namespace

void SetBackend(Backend* backend) { InstalledBackend() = backend; }

Backend& CurrentBackend() {
  if (!InstalledBackend()) throw std::logic_error("no window back-end is installed");
  return *InstalledBackend();
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(MessageHook());
  MessageHook() = std::move(hook);
  return previous;
}

ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook) {
  ScreenSizeHook previous = std::move(ScreenHook());
  ScreenHook() = std::move(hook);
  return previous;
}

OptionArray FindOptionArray(Form& form, const std::string& name, int count) {
  std::vector<OptionButton> members;
  for (int i = 0; i < count; ++i) members.push_back(Find<OptionButton>(form, MemberName(name, i)));
  return OptionArray(std::move(members));
}

// ---- ControlRef --------------------------------------------------------------------------------

namespace {

[[noreturn]] void WrongKind(const ControlRef& c, const char* what) {
  throw ControlLookupError("control " + c.name() + " of window " + c.form().name() + " has no " + what);
}

}  // namespace

const ControlDescription& ControlRef::description() const { return form_->row(index_); }

const std::string& ControlRef::caption() const {
  if (!CarriesCaption(kind())) WrongKind(*this, "caption");
  return form_->state_[static_cast<std::size_t>(index_)].caption;
}

void ControlRef::setCaption(const std::string& caption) const {
  if (!CarriesCaption(kind())) WrongKind(*this, "caption");
  std::string& kept = form_->state_[static_cast<std::size_t>(index_)].caption;
  // The same caption again changes nothing on the screen.
  if (kept == caption) return;
  kept = caption;
  if (CaptionDrawn(description())) form_->peer_->setCaption(index_, caption);
}

std::string ControlRef::text() const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "text");
  return form_->peer_->text(index_);
}

void ControlRef::setText(const std::string& text) const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "text");
  form_->peer_->setText(index_, text);
}

int ControlRef::value() const {
  if (kind() != ControlKind::CheckBox && kind() != ControlKind::OptionButton) WrongKind(*this, "value");
  return form_->state_[static_cast<std::size_t>(index_)].value;
}

void ControlRef::setValue(int value) const {
  if (kind() != ControlKind::CheckBox && kind() != ControlKind::OptionButton) WrongKind(*this, "value");
  form_->setValueOf(index_, value, false);
}

bool ControlRef::visible() const { return form_->state_[static_cast<std::size_t>(index_)].visible; }

void ControlRef::setVisible(bool visible) const { form_->setVisibleOf(index_, visible); }

bool ControlRef::locked() const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  return form_->state_[static_cast<std::size_t>(index_)].locked;
}

void ControlRef::setLocked(bool locked) const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  form_->state_[static_cast<std::size_t>(index_)].locked = locked;
  form_->peer_->setLocked(index_, locked);
}

void ControlRef::refresh() const { form_->repaintNow(); }

const std::vector<std::vector<std::string>>& ControlRef::rows() const {
  if (kind() != ControlKind::Table) WrongKind(*this, "rows");
  return form_->state_[static_cast<std::size_t>(index_)].rows;
}

void ControlRef::setRows(std::vector<std::vector<std::string>> rows) const {
  if (kind() != ControlKind::Table) WrongKind(*this, "rows");
  // One cell per column, as the description has them.
  for (std::vector<std::string>& row : rows) row.resize(description().columns.size());
  std::vector<std::vector<std::string>>& kept = form_->state_[static_cast<std::size_t>(index_)].rows;
  kept = std::move(rows);
  form_->peer_->setRows(index_, kept);
}

// ---- Form --------------------------------------------------------------------------------------

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

void Form::placeBeforeFirstShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  peer_->realize();
  if (description_.startCentred) centreOnScreen();
}

void Form::show() {
  placeBeforeFirstShow();
  peer_->show();
}

void Form::showNow() {
  placeBeforeFirstShow();
  peer_->showNow();
}

void Form::showCentredOver(const Form& other) {
  if (!shownOnce_) {
    shownOnce_ = true;
    peer_->realize();
    centreOver(other);
  }
  peer_->show();
}

void Form::hide() { peer_->hide(); }

bool Form::isShown() const { return peer_->isShown(); }

void Form::close() { peer_->close(); }

// The outer width is the client width plus the border the descriptions assume, 45 twips on each
// side, so that each width keeps its described client area whatever frame the desktop draws.
double Form::outerWidthTwips() const { return peer_->clientWidthTwips() + 2.0 * kNominalBorderTwips; }

// The height is never set; it is read with the frame the desktop really draws (the assumed one
// while the window is not decorated), so that centring places the whole window.
double Form::outerHeightTwips() const {
  const double frame = peer_->frameHeightTwips();
  return peer_->clientHeightTwips() + (frame > 0 ? frame : 2.0 * kNominalBorderTwips + kNominalCaptionTwips);
}

void Form::setOuterWidthTwips(double twips) { peer_->setClientWidthTwips(twips - 2.0 * kNominalBorderTwips); }

void Form::moveTwips(double left, double top) { peer_->moveTwips(left, top); }

double Form::leftTwips() const { return peer_->leftTwips(); }

double Form::topTwips() const { return peer_->topTwips(); }

TwipSize Form::screenSizeTwips() const {
  if (ScreenHook()) return ScreenHook()();
  return peer_->screenSizeTwips();
}

void Form::centreOnScreen() {
  const TwipSize screen = screenSizeTwips();
  const float left = (static_cast<float>(screen.width) - static_cast<float>(outerWidthTwips())) / 2.0f;
  const float top = (static_cast<float>(screen.height) - static_cast<float>(outerHeightTwips())) / 2.0f;
  moveTwips(left, top);
}

void Form::centreOver(const Form& other) {
  const TwipSize screen = screenSizeTwips();
  const double width = outerWidthTwips(), height = outerHeightTwips();
  const double left = other.leftTwips() + (other.outerWidthTwips() - width) / 2;
  const double top = other.topTwips() + (other.outerHeightTwips() - height) / 2;
  // Inside the screen where it fits, its top-left corner first.
  moveTwips(std::max(0.0, std::min(left, screen.width - width)), std::max(0.0, std::min(top, screen.height - height)));
}

template <class F>
auto Form::modal(F&& run) {
  ++modalDepth_;
  struct Leave {
    Form& form;
    ~Leave() {
      if (--form.modalDepth_ == 0 && form.pendingDiscard_) {
        // The window was closed while its modal loop ran: it goes now that the loop has ended
        // (this call still runs inside the window's code, so it goes from the event loop).
        CurrentBackend().post(std::move(form.pendingDiscard_));
        form.pendingDiscard_ = nullptr;
      }
    }
  } leave{*this};
  return run();
}

SaveResult Form::saveFile(const SaveRequest& request) {
  return modal([&] { return peer_->saveFile(request); });
}

void Form::messageBox(const std::string& text, const std::string& title) {
  const std::string shownTitle = title.empty() ? std::string(kAppTitle) : title;
  if (MessageHook()) {
    MessageHook()(shownTitle, text);
    return;
  }
  modal([&] { peer_->messageBox(shownTitle, text); });
}

void Form::discardLater(std::function<void()> destroy) {
  if (modalDepth_ > 0) {
    pendingDiscard_ = std::move(destroy);
  } else {
    CurrentBackend().post(std::move(destroy));
  }
}

bool Form::shownInWindow(int control) const {
  for (int c = control; c >= 0; c = container_[static_cast<std::size_t>(c)])
    if (!state_[static_cast<std::size_t>(c)].visible) return false;
  return true;
}

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

// ---- Keyboard -----------------------------------------------------------------------------------

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

void SetClipboardText(const std::string& text) { CurrentBackend().setClipboardText(text); }

// ---- Windows the layer owns ----------------------------------------------------------------------

namespace {

struct Owned {
  std::type_index type;
  std::unique_ptr<Form> window;
  bool loaded;
};

std::vector<Owned>& OwnedWindows() {
  static std::vector<Owned> windows;
  return windows;
}

}  // namespace

Form* LoadedWindows::find(std::type_index type) {
  for (Owned& o : OwnedWindows())
    if (o.loaded && o.type == type) return o.window.get();
  return nullptr;
}

Form& LoadedWindows::adopt(std::type_index type, std::unique_ptr<Form> window) {
  window->owned_ = true;
  OwnedWindows().push_back(Owned{type, std::move(window), true});
  return *OwnedWindows().back().window;
}

void LoadedWindows::unload(Form& window) {
  auto& windows = OwnedWindows();
  const auto it =
      std::find_if(windows.begin(), windows.end(), [&](const Owned& o) { return o.window.get() == &window; });
  if (it == windows.end() || !it->loaded) return;
  it->loaded = false;
  window.hide();
  Form* const gone = &window;
  window.discardLater([gone] {
    auto& all = OwnedWindows();
    const auto at = std::find_if(all.begin(), all.end(), [&](const Owned& o) { return o.window.get() == gone; });
    if (at == all.end()) return;
    // Out of the list first: the window's destructor may look at the list.
    std::unique_ptr<Form> discarded = std::move(at->window);
    all.erase(at);
  });
  // The run ends when the last of the program's windows has closed.
  if (!anyShown()) CurrentBackend().quit(0);
}

void LoadedWindows::discardAll() {
  std::vector<Owned> windows = std::move(OwnedWindows());
  OwnedWindows().clear();
  windows.clear();
}

bool LoadedWindows::anyShown() {
  for (const Owned& o : OwnedWindows())
    if (o.loaded && o.window->isShown()) return true;
  return false;
}

}  // namespace quorvane::ui
