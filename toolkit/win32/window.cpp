#include "toolkit/win32/window.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "core/utf16.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/controls.h"
#include "toolkit/win32/dpi.h"

namespace quorvane::ui::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"QuorvaneWindow";
constexpr int kFirstControlId = 100;
// The program's icon in its resources.
constexpr int kProgramIconId = 1;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = procedure;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kWindowClass;
    // No class icon: a window shows the program's icon only where its description asks for it.
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

// The program's windows that are whole: built, and not yet going.
std::vector<Win32Window*>& OpenWindows() {
  static std::vector<Win32Window*> windows;
  return windows;
}

}  // namespace

// Nothing reaches the window object until it is whole: the window procedure finds it only once
// the last step has registered it, and a failure before that destroys the native window with the
// members that own it.
Win32Window::Win32Window(const WindowDescription& description, PeerEvents& events)
    : description_(description), events_(events), names_(CurrentAccessibleNames()) {
  RegisterWindowClass(&Win32Window::windowProc);
  switch (description_.border) {
    case Border::FixedSingle: style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; break;
    case Border::FixedDialog:
      style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      exStyle_ = WS_EX_DLGMODALFRAME;
      break;
    case Border::Sizable: style_ = WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX); break;
  }
  // A window without the program's icon shows none at all: the dialog frame keeps the system's
  // default icon off the title bar.
  if (!description_.programIcon) exStyle_ |= WS_EX_DLGMODALFRAME;
  exStyle_ |= WS_EX_CONTROLPARENT;

  window_.reset(CreateWindowExW(exStyle_, kWindowClass, Wide(description_.caption).c_str(), style_, CW_USEDEFAULT,
                                CW_USEDEFAULT, 100, 100, nullptr, nullptr, Instance(), nullptr));
  if (!window_) throw std::runtime_error("the window " + description_.name + " could not be created");
  dpi_ = WindowDpi(handle());
  clientWidthTwips_ = description_.clientWidth;
  createControls();
  fitToDpi();
  try {
    nameControls();
    OpenWindows().push_back(this);
  } catch (...) {
    clearNames();
    throw;
  }
  SetWindowLongPtrW(handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Window::~Win32Window() {
  // Nothing reaches this object any more while the window goes.
  SetWindowLongPtrW(handle(), GWLP_USERDATA, 0);
  auto& windows = OpenWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (pollingWindow() == this) pollingWindow() = nullptr;
  clearNames();
}

Win32Window* Win32Window::windowOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  for (Win32Window* w : OpenWindows())
    if (w->handle() == root) return w;
  return nullptr;
}

// ---- Building ----------------------------------------------------------------------------------

void Win32Window::createControls() {
  const auto& rows = description_.controls;
  lineBrushes_.resize(rows.size());
  // Sized once: each label answers for its text from its place here.
  labelTexts_.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    const NativeClass native = NativeClassOf(c);
    // Captions that are not drawn arrive empty: the window text is what the control shows.
    const HWND control =
        CreateWindowExW(native.exStyle, native.name, Wide(c.caption).c_str(),
                        WS_CHILD | WS_CLIPSIBLINGS | native.style | (c.visible ? WS_VISIBLE : 0), 0, 0, 0, 0, handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), Instance(), nullptr);
    if (!control) throw std::runtime_error("control " + c.name + " of " + description_.name + " could not be created");
    controls_.push_back(control);
    switch (c.kind) {
      case ControlKind::Label:
        labelTexts_[i] = Wide(c.caption);
        AnswerTextFrom(control, &labelTexts_[i]);
        break;
      case ControlKind::TextBox: SendMessageW(control, EM_SETLIMITTEXT, 0, 0); break;
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        if (c.caption.empty()) ShowFocusAroundUncaptioned(control);
        break;
      case ControlKind::Line:
        lineBrushes_[i].reset(CreateSolidBrush(RGB(c.colour.red, c.colour.green, c.colour.blue)));
        break;
      case ControlKind::Table: setUpTable(static_cast<int>(i)); break;
      default: break;
    }
  }
  // Stacking, top to bottom: the controls that take input, then labels, lines and pictures, then
  // the frames, inner ones above outer ones, so that no frame covers what lies on it.
  const auto rank = [](ControlKind kind) {
    switch (kind) {
      case ControlKind::Frame: return 2;
      case ControlKind::Label:
      case ControlKind::Line:
      case ControlKind::PictureBox: return 1;
      default: return 0;
    }
  };
  std::vector<int> order;
  for (int level = 0; level < 2; ++level)
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rank(rows[i].kind) == level) order.push_back(static_cast<int>(i));
  for (std::size_t i = rows.size(); i-- > 0;)
    if (rank(rows[i].kind) == 2) order.push_back(static_cast<int>(i));
  for (int i : order) SetWindowPos(controlHandle(i), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The names that screen readers read, where the window text does not give them: text boxes, and
// option buttons without a caption.
void Win32Window::nameControls() {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (NamedByAnnotation(description_.controls[i]))
      names_.setName(controls_[i], Wide(description_.controls[i].accessibleName));
}

void Win32Window::clearNames() {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (NamedByAnnotation(description_.controls[i])) names_.clearName(controls_[i]);
}

void Win32Window::fitToDpi() {
  // The new fonts reach every control before the old ones go.
  auto fonts = std::make_unique<WindowFonts>(description_, dpi_);
  for (std::size_t i = 0; i < controls_.size(); ++i)
    SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(fonts->of(static_cast<int>(i))), FALSE);
  fonts_ = std::move(fonts);
  loadIcons();
  layout();
  const SIZE outer =
      outerSizeForClient(TwipsToPixels(clientWidthTwips_, dpi_), TwipsToPixels(description_.clientHeight, dpi_));
  SetWindowPos(handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::place(const std::vector<ControlPlace>& places) {
  places_ = places;
  layout();
}

void Win32Window::layout() {
  // Every control is a child of the window itself, at its place in the window.
  const std::vector<PixelRect> rects = WindowPixels(places_, dpi_);
  for (std::size_t i = 0; i < rects.size() && i < controls_.size(); ++i)
    SetWindowPos(controls_[i], nullptr, rects[i].left, rects[i].top, rects[i].width, rects[i].height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  fitTableColumns();
}

void Win32Window::loadIcons() {
  const auto load = [this](int size) {
    const int pixels = MulDiv(size, dpi_, 96);
    return IconOwner(static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR)));
  };
  // Each new icon is set before the one it replaces goes.
  if (description_.programIcon) {
    IconOwner small = load(16), big = load(32);
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    smallIcon_ = std::move(small);
    bigIcon_ = std::move(big);
  }
  IconOwner picture;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlDescription& c = description_.controls[i];
    if (c.kind != ControlKind::PictureBox || c.picture != Picture::ProgramIcon) continue;
    if (!picture) picture = load(32);
    // Setting an icon sizes the control to it; the layout that follows gives it its place again.
    SendMessageW(controls_[i], STM_SETICON, reinterpret_cast<WPARAM>(picture.get()), 0);
  }
  if (picture) pictureIcon_ = std::move(picture);
}

SIZE Win32Window::outerSizeForClient(int clientWidth, int clientHeight) const {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustRectForDpi(r, style_, exStyle_, dpi_);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// ---- Controls ----------------------------------------------------------------------------------

int Win32Window::indexOf(HWND control) const {
  const auto at = std::find(controls_.begin(), controls_.end(), control);
  return control && at != controls_.end() ? static_cast<int>(at - controls_.begin()) : -1;
}

void Win32Window::setWindowCaption(const std::string& caption) { SetWindowTextW(handle(), Wide(caption).c_str()); }

void Win32Window::setCaption(int control, const std::string& caption) {
  const HWND h = controlHandle(control);
  const std::wstring text = Wide(caption);
  if (std::find(unpainted_.begin(), unpainted_.end(), control) == unpainted_.end()) unpainted_.push_back(control);
  if (row(control).kind != ControlKind::Label) {
    SetWindowTextW(h, text.c_str());
    InvalidateRect(h, nullptr, FALSE);
    return;
  }
  // The label does not paint itself for its new caption (the static control would paint, or mark
  // for painting, at every new text): it waits for repaintNow, or else for the thread to wait for
  // messages (markChangedLabels). Nor does the window system get it at once (a round trip to
  // Wine's server for each caption of a busy window): the label answers for its text from the
  // caption kept here, and the window text follows before the thread next handles messages.
  labelTexts_[static_cast<std::size_t>(control)] = text;
  if (std::find(textsToGive_.begin(), textsToGive_.end(), control) == textsToGive_.end())
    textsToGive_.push_back(control);
}

void Win32Window::giveWindowTexts() {
  for (Win32Window* w : OpenWindows())
    for (const int control : std::exchange(w->textsToGive_, {}))
      DefWindowProcW(w->controlHandle(control), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(w->labelTexts_[static_cast<std::size_t>(control)].c_str()));
}

void Win32Window::markChangedLabels() {
  giveWindowTexts();
  for (Win32Window* w : OpenWindows()) {
    auto& unpainted = w->unpainted_;
    for (const int control : unpainted)
      if (w->row(control).kind == ControlKind::Label) InvalidateRect(w->controlHandle(control), nullptr, FALSE);
    unpainted.clear();
  }
}

std::string Win32Window::text(int control) const { return Utf8(WindowText(controlHandle(control))); }

void Win32Window::setText(int control, const std::string& text) {
  SetWindowTextW(controlHandle(control), Wide(text).c_str());
}

void Win32Window::setValue(int control, int value) {
  // Setting the state sends no notification: nothing is reported back.
  SendMessageW(controlHandle(control), BM_SETCHECK, CheckStateOf(value), 0);
}

void Win32Window::setShown(int control, bool shown) { ShowWindow(controlHandle(control), shown ? SW_SHOWNA : SW_HIDE); }

void Win32Window::setLocked(int control, bool locked) {
  SendMessageW(controlHandle(control), EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

void Win32Window::setFocus(int control) {
  if (control < 0) return;
  savedFocus_ = control;
  // A window that is not the active one takes the focus on its activation.
  if (IsWindowVisible(handle()) && GetActiveWindow() == handle()) SetFocus(controlHandle(control));
}

int Win32Window::focused() const {
  const HWND focus = GetFocus();
  if (focus && GetAncestor(focus, GA_ROOT) == handle()) {
    const int index = indexOf(focus);
    if (index >= 0) return index;
  }
  return savedFocus_;
}

void Win32Window::selectAll(int control) { SendMessageW(controlHandle(control), EM_SETSEL, 0, -1); }

void Win32Window::showKeyboardCues() {
  // As dialogs do once the keyboard is used: the focus and the access keys show from now on.
  const LRESULT hidden = SendMessageW(handle(), WM_QUERYUISTATE, 0, 0) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
  if (hidden) SendMessageW(handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, hidden), 0);
}

// ---- The window --------------------------------------------------------------------------------

void Win32Window::show() {
  if (IsWindowVisible(handle())) {
    // Shown already: to the front, as it is.
    if (IsIconic(handle())) ShowWindow(handle(), SW_RESTORE);
    SetForegroundWindow(handle());
    BringWindowToTop(handle());
  } else {
    ShowWindow(handle(), SW_SHOWNORMAL);
  }
}

void Win32Window::showNow() {
  show();
  // Paints the window and every control at once, handling no input meanwhile.
  RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

void Win32Window::hide() { ShowWindow(handle(), SW_HIDE); }

bool Win32Window::isShown() const { return IsWindowVisible(handle()) != FALSE; }

void Win32Window::close() { SendMessageW(handle(), WM_CLOSE, 0, 0); }

void Win32Window::repaintNow() {
  // Every caption set so far reaches the screen, while the thread stays busy: each label whose
  // caption changed is painted whole, straight into its place, the other controls so changed
  // paint what they have marked; then what was drawn goes to the screen at once.
  for (const int control : std::exchange(unpainted_, {})) {
    const HWND h = controlHandle(control);
    if (row(control).kind != ControlKind::Label) {
      UpdateWindow(h);
      continue;
    }
    if (!IsWindowVisible(h)) continue;
    RECT area{};
    GetClientRect(h, &area);
    const WindowDc dc(h);
    if (dc)
      labels_.paint(row(control), labelTexts_[static_cast<std::size_t>(control)], fonts_->of(control), dc.get(), area);
  }
  GdiFlush();
  // A window system that sends the windows' pictures to the screen once the thread waits (Wine
  // does, where the thread waited for messages a moment ago) sends them now: a wait that takes no
  // time and handles nothing.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0);
}

double Win32Window::clientWidthTwips() const {
  RECT r{};
  GetClientRect(handle(), &r);
  return PixelsToTwips(r.right - r.left, dpi_);
}

double Win32Window::clientHeightTwips() const {
  RECT r{};
  GetClientRect(handle(), &r);
  return PixelsToTwips(r.bottom - r.top, dpi_);
}

void Win32Window::setClientWidthTwips(double twips) {
  RECT client{};
  GetClientRect(handle(), &client);
  clientWidthTwips_ = static_cast<int>(twips);
  const SIZE outer = outerSizeForClient(std::max(1, TwipsToPixels(twips, dpi_)), client.bottom - client.top);
  SetWindowPos(handle(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double Win32Window::frameHeightTwips() const {
  RECT outer{}, client{};
  GetWindowRect(handle(), &outer);
  GetClientRect(handle(), &client);
  const int frame = (outer.bottom - outer.top) - (client.bottom - client.top);
  return frame > 0 ? PixelsToTwips(frame, dpi_) : 0.0;
}

RECT Win32Window::monitorRect() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(handle(), MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

double Win32Window::leftTwips() const {
  RECT r{};
  GetWindowRect(handle(), &r);
  return PixelsToTwips(r.left - monitorRect().left, dpi_);
}

double Win32Window::topTwips() const {
  RECT r{};
  GetWindowRect(handle(), &r);
  return PixelsToTwips(r.top - monitorRect().top, dpi_);
}

void Win32Window::moveTwips(double left, double top) {
  const RECT screen = monitorRect();
  SetWindowPos(handle(), nullptr, screen.left + TwipsToPixels(left, dpi_), screen.top + TwipsToPixels(top, dpi_), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipSize Win32Window::screenSizeTwips() const {
  const RECT screen = monitorRect();
  return TwipSize{PixelsToTwips(screen.right - screen.left, dpi_), PixelsToTwips(screen.bottom - screen.top, dpi_)};
}

void Win32Window::messageBox(const std::string& title, const std::string& text) {
  // OK alone: no icon. The box disables this window while it is open; its loop paints what it
  // finds marked.
  markChangedLabels();
  MessageBoxW(IsWindowVisible(handle()) ? handle() : nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

// ---- Messages ----------------------------------------------------------------------------------

void Win32Window::onCommand(int control, int code) {
  if (code != BN_CLICKED) return;
  switch (row(control).kind) {
    case ControlKind::CommandButton: events_.userPressed(control); break;
    case ControlKind::CheckBox:
      // The control does not tick itself: the click reports the other of ticked and unticked.
      events_.userChanged(control, ValueOf(SendMessageW(controlHandle(control), BM_GETCHECK, 0, 0)) == 1 ? 0 : 1);
      break;
    case ControlKind::OptionButton: events_.userChanged(control, 1); break;
    default: break;
  }
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->handle(message, wParam, lParam);
  } catch (...) {
    // Not through the system's code: the message loop throws it again.
    KeepFailure(std::current_exception());
    return 0;
  }
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int control = indexOf(reinterpret_cast<HWND>(lParam));
      if (control >= 0) onCommand(control, HIWORD(wParam));
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int control = indexOf(item->hwndItem);
      if (control < 0 || row(control).kind != ControlKind::Label || !fonts_) break;
      labels_.paint(row(control), labelTexts_[static_cast<std::size_t>(control)], fonts_->of(control), *item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      const int control = indexOf(reinterpret_cast<HWND>(lParam));
      if (control >= 0 && lineBrushes_[static_cast<std::size_t>(control)])
        return reinterpret_cast<LRESULT>(lineBrushes_[static_cast<std::size_t>(control)].get());
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (const int index = indexOf(GetFocus()); index >= 0) savedFocus_ = index;
      } else if (savedFocus_ >= 0 && IsWindowVisible(controlHandle(savedFocus_))) {
        SetFocus(controlHandle(savedFocus_));
        return 0;
      }
      break;
    case WM_CLOSE:
      // While a busy caller looks for a stop: this window's close box asks for it and leaves the
      // window open, and the other windows do not close.
      if (pollingWindow() == this) {
        stopRequested_ = true;
        return 0;
      }
      if (pollingWindow()) return 0;
      // The close box hides the window; what becomes of it, and of the run, the layer decides.
      ShowWindow(handle(), SW_HIDE);
      events_.closedByUser();
      return 0;
    case WM_SIZE:
      // The layer places the controls for the new height.
      if (description_.heightOnly) events_.userResized(clientHeightTwips());
      break;
    case WM_GETMINMAXINFO:
      if (description_.heightOnly) {
        limitTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      fitToDpi();
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(handle(), nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      RedrawWindow(handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    }
    default: break;
  }
  return DefWindowProcW(handle(), message, wParam, lParam);
}

}  // namespace quorvane::ui::win32
