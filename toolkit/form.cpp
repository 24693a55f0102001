#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/controls.h"

namespace quorvane::ui {

namespace {

Backend*& installedBackend() {
  static Backend* backend = nullptr;
  return backend;
}

MessageBoxHook& messageHook() {
  static MessageBoxHook hook;
  return hook;
}

ScreenSizeHook& screenHook() {
  static ScreenSizeHook hook;
  return hook;
}

}  // namespace

void SetBackend(Backend* backend) { installedBackend() = backend; }

Backend& CurrentBackend() {
  if (!installedBackend()) throw std::logic_error("no window back-end is installed");
  return *installedBackend();
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
  MessageBoxHook previous = std::move(messageHook());
  messageHook() = std::move(hook);
  return previous;
}

ScreenSizeHook SetScreenSizeHook(ScreenSizeHook hook) {
  ScreenSizeHook previous = std::move(screenHook());
  screenHook() = std::move(hook);
  return previous;
}

OptionArray FindOptionArray(Form& form, const std::string& name, int count) {
  std::vector<OptionButton> members;
  for (int i = 0; i < count; ++i) members.push_back(Find<OptionButton>(form, MemberName(name, i)));
  return OptionArray(form, name, std::move(members));
}

// ---- ControlRef --------------------------------------------------------------------------------

namespace {

[[noreturn]] void WrongKind(const ControlRef& c, const char* what) {
  throw ControlLookupError("control " + c.name() + " of window " + c.form().name() + " has no " + what);
}

bool HasCaption(ControlKind k) { return k != ControlKind::TextBox && k != ControlKind::Line && k != ControlKind::PictureBox; }

}  // namespace

const ControlDescription& ControlRef::description() const { return form_->row(index_); }

const std::string& ControlRef::caption() const {
  if (!HasCaption(kind())) WrongKind(*this, "caption");
  return form_->state_[static_cast<std::size_t>(index_)].caption;
}

void ControlRef::setCaption(const std::string& caption) const {
  if (!HasCaption(kind())) WrongKind(*this, "caption");
  form_->state_[static_cast<std::size_t>(index_)].caption = caption;
  form_->peer_->setCaption(index_, caption);
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

void ControlRef::setVisible(bool visible) const {
  form_->state_[static_cast<std::size_t>(index_)].visible = visible;
  form_->peer_->setVisible(index_, visible);
}

bool ControlRef::locked() const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  return form_->state_[static_cast<std::size_t>(index_)].locked;
}

void ControlRef::setLocked(bool locked) const {
  if (kind() != ControlKind::TextBox) WrongKind(*this, "Locked property");
  form_->state_[static_cast<std::size_t>(index_)].locked = locked;
  form_->peer_->setLocked(index_, locked);
}

void ControlRef::refresh() const { form_->peer_->repaintNow(index_); }

// ---- Form --------------------------------------------------------------------------------------

Form::Form(const WindowDescription& description) : description_(description), caption_(description.caption) {
  const auto& rows = description_.controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    if (byName_.count(c.name)) throw ControlLookupError("window " + name() + ": control " + c.name + " described twice");
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
    state_.push_back(State{c.caption, c.value, c.visible, false});
  }
  std::vector<int> focusable;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (IsFocusable(rows[i].kind)) focusable.push_back(static_cast<int>(i));
  std::stable_sort(focusable.begin(), focusable.end(), [&](int a, int b) { return row(a).tabIndex < row(b).tabIndex; });
  tabOrder_ = std::move(focusable);

  peer_ = CurrentBackend().createWindow(description_, *this);
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

void Form::setClickHandler(const std::string& nameOrArray, Handler handler) {
  handlers_[nameOrArray] = std::move(handler);
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
    if (value != 0) setValueOf(control, 1, true);
    else peer_->setValue(control, state_[static_cast<std::size_t>(control)].value);
  } else if (kind == ControlKind::CheckBox) {
    setValueOf(control, value, true);
  }
}

void Form::runHandler(int control) {
  const std::string& name = row(control).name;
  if (const auto it = handlers_.find(name); it != handlers_.end()) {
    // A copy: the handler may replace itself.
    const Handler handler = it->second;
    handler(-1);
    return;
  }
  const ArrayName member = SplitArrayName(name);
  if (member.index < 0) return;
  if (const auto it = handlers_.find(member.base); it != handlers_.end()) {
    const Handler handler = it->second;
    handler(member.index);
  }
}

bool Form::sameGroup(int a, int b) const {
  return row(a).kind == ControlKind::OptionButton && row(b).kind == ControlKind::OptionButton &&
         container_[static_cast<std::size_t>(a)] == container_[static_cast<std::size_t>(b)];
}

void Form::closedByUser() {
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
  if (screenHook()) return screenHook()();
  return peer_->screenSizeTwips();
}

void Form::centreOnScreen() {
  const TwipSize screen = screenSizeTwips();
  const float left = (static_cast<float>(screen.width) - static_cast<float>(outerWidthTwips())) / 2.0f;
  const float top = (static_cast<float>(screen.height) - static_cast<float>(outerHeightTwips())) / 2.0f;
  moveTwips(left, top);
}

void Form::messageBox(const std::string& text, const std::string& title) {
  const std::string shownTitle = title.empty() ? std::string(kAppTitle) : title;
  if (messageHook()) {
    messageHook()(shownTitle, text);
    return;
  }
  ++modalDepth_;
  try {
    peer_->messageBox(shownTitle, text);
  } catch (...) {
    --modalDepth_;
    throw;
  }
  if (--modalDepth_ == 0 && pendingDiscard_) {
    // The window was closed while its message box was open: it goes now that the box's loop has
    // ended (this call still runs inside the window's code, so it goes from the event loop).
    CurrentBackend().post(std::move(pendingDiscard_));
    pendingDiscard_ = nullptr;
  }
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
  double left = 0, top = 0;
  for (int c = control; c >= 0; c = container_[static_cast<std::size_t>(c)]) {
    left += row(c).left;
    top += row(c).top;
  }
  const ControlDescription& d = row(control);
  const double clientWidth = peer_->clientWidthTwips();
  const double clientHeight = peer_->clientHeightTwips();
  if (left >= clientWidth || top >= clientHeight || left + d.width <= 0 || top + d.height <= 0) return false;
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

}  // namespace quorvane::ui
