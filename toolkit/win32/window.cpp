#include "toolkit/win32/window.h"

#include <utility>

#include <algorithm>
#include <cwctype>
#include <map>
#include <stdexcept>

#include "toolkit/win32/backend.h"
#include "core/utf16.h"

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

std::vector<Win32Window*>& OpenWindows() {
  static std::vector<Win32Window*> windows;
  return windows;
}

Win32Window* WindowOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  const HWND root = GetAncestor(hwnd, GA_ROOT);
  for (Win32Window* w : OpenWindows())
    if (w->handle() == root) return w;
  return nullptr;
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The access key of a caption: the character after a single '&', lower case; 0 for none.
wchar_t AccessKeyOf(const std::string& caption) {
  const std::wstring wide = Wide(caption);
  for (std::size_t i = 0; i + 1 < wide.size(); ++i) {
    if (wide[i] != L'&') continue;
    if (wide[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towlower(wide[i + 1]));
  }
  return 0;
}

// How wide the indicator of a check box or option button is with the gap before its caption.
int IndicatorWidth(int dpi) { return MulDiv(13 + 4, dpi, 96); }

}  // namespace

Win32Window::Win32Window(const WindowDescription& description, PeerEvents& events)
    : description_(description), events_(events) {
  RegisterWindowClass(&Win32Window::WindowProc);
  switch (description_.border) {
    case Border::FixedSingle:
      style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      break;
    case Border::FixedDialog:
      style_ = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      exStyle_ = WS_EX_DLGMODALFRAME;
      break;
    case Border::Sizable:
      style_ = WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
      break;
  }
  // A window without the program's icon shows none at all: the dialog frame keeps the system's
  // default icon off the title bar.
  if (!description_.programIcon) exStyle_ |= WS_EX_DLGMODALFRAME;
  exStyle_ |= WS_EX_CONTROLPARENT;

  hwnd_ = CreateWindowExW(exStyle_, kWindowClass, Wide(description_.caption).c_str(), style_, CW_USEDEFAULT,
                          CW_USEDEFAULT, 100, 100, nullptr, nullptr, Instance(), this);
  if (!hwnd_) throw std::runtime_error("the window " + description_.name + " could not be created");
  OpenWindows().push_back(this);
  dpi_ = WindowDpi(hwnd_);
  clientWidthTwips_ = description_.clientWidth;
  createControls();
  layout();
  makeFonts();
  loadIcons();
  const SIZE outer = outerSizeForClient(TwipsToPixels(clientWidthTwips_, dpi_),
                                        TwipsToPixels(description_.clientHeight, dpi_));
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32Window::~Win32Window() {
  auto& windows = OpenWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (hwnd_) {
    // Nothing reaches this object any more while the window goes.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (Native& c : controls_)
    if (c.brush) DeleteObject(c.brush);
  if (canvasDc_) DeleteDC(canvasDc_);
  if (canvas_) DeleteObject(canvas_);
  freeFonts();
  for (HICON icon : {smallIcon_, bigIcon_, pictureIcon_})
    if (icon) DestroyIcon(icon);
}

// ---- Building ----------------------------------------------------------------------------------

void Win32Window::createControls() {
  const auto& rows = description_.controls;
  controls_.resize(rows.size());
  std::map<std::string, int> byName;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    Native& n = controls_[i];
    n.parent = c.container.empty() ? -1 : byName.at(c.container);
    n.ownFlag = c.visible;
    n.caption = c.caption;
    byName[c.name] = static_cast<int>(i);

    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ex = 0;
    std::string text = c.caption;
    switch (c.kind) {
      case ControlKind::Frame:
        cls = L"BUTTON";
        style |= BS_GROUPBOX;
        break;
      case ControlKind::Label:
        // Drawn by the window at once from a picture of the whole label (drawLabel): a caption
        // that changes many times a second never shows an empty label in between.
        style |= SS_OWNERDRAW;
        break;
      case ControlKind::TextBox:
        cls = L"EDIT";
        style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
        ex |= WS_EX_CLIENTEDGE;
        break;
      case ControlKind::CheckBox:
        // Not automatic: the layer sets the state, and a click only reports.
        cls = L"BUTTON";
        style |= WS_TABSTOP | BS_3STATE | BS_MULTILINE;
        break;
      case ControlKind::OptionButton:
        cls = L"BUTTON";
        style |= WS_TABSTOP | BS_RADIOBUTTON | BS_MULTILINE;
        break;
      case ControlKind::CommandButton:
        cls = L"BUTTON";
        style |= WS_TABSTOP | (c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case ControlKind::PictureBox:
        style |= SS_ICON | SS_CENTERIMAGE | SS_SUNKEN;
        text.clear();
        break;
      case ControlKind::Line:
        // An empty static filled with the line's colour.
        style |= SS_LEFT;
        text.clear();
        n.brush = CreateSolidBrush(RGB(c.colour.red, c.colour.green, c.colour.blue));
        break;
    }
    n.hwnd = CreateWindowExW(ex, cls, Wide(text).c_str(), style, 0, 0, 0, 0, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), Instance(), nullptr);
    if (!n.hwnd) throw std::runtime_error("control " + c.name + " of " + description_.name + " could not be created");
    if (c.kind == ControlKind::TextBox) SendMessageW(n.hwnd, EM_SETLIMITTEXT, 0, 0);
    if (c.kind == ControlKind::CheckBox)
      SendMessageW(n.hwnd, BM_SETCHECK, c.value == 1 ? BST_CHECKED : c.value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    if (c.kind == ControlKind::OptionButton)
      SendMessageW(n.hwnd, BM_SETCHECK, c.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // Stacking, top to bottom: the controls that take input, then labels, lines and pictures, then
  // the frames, inner ones above outer ones, so that no frame covers what lies on it.
  std::vector<int> order;
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind != ControlKind::Frame && rows[i].kind != ControlKind::Label && rows[i].kind != ControlKind::Line &&
        rows[i].kind != ControlKind::PictureBox)
      order.push_back(static_cast<int>(i));
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind == ControlKind::Label || rows[i].kind == ControlKind::Line || rows[i].kind == ControlKind::PictureBox)
      order.push_back(static_cast<int>(i));
  for (std::size_t i = rows.size(); i-- > 0;)
    if (rows[i].kind == ControlKind::Frame) order.push_back(static_cast<int>(i));
  for (int i : order)
    SetWindowPos(controlHandle(i), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (std::size_t i = 0; i < rows.size(); ++i) applyVisibility(static_cast<int>(i));
}

bool Win32Window::captionFits(int control, HFONT font) const {
  const ControlDescription& c = row(control);
  const Native& n = controls_[static_cast<std::size_t>(control)];
  if (n.caption.empty() || n.captionHidden) return true;
  int width = TwipsToPixels(c.width, dpi_);
  const int height = TwipsToPixels(c.height, dpi_);
  UINT format = DT_CALCRECT | DT_WORDBREAK;
  switch (c.kind) {
    case ControlKind::Label: format |= DT_NOPREFIX; break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton: width -= IndicatorWidth(dpi_); break;
    case ControlKind::CommandButton: width -= MulDiv(8, dpi_, 96); format = DT_CALCRECT | DT_SINGLELINE; break;
    case ControlKind::Frame: width -= MulDiv(16, dpi_, 96); format = DT_CALCRECT | DT_SINGLELINE; break;
    default: return true;
  }
  const HDC dc = GetDC(hwnd_);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, std::max(1, width), 0};
  const std::wstring text = Wide(n.caption);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  // A check box or option button has no border: a caption that ends a pixel or two below it,
  // in its leading, still reads whole.
  const bool button = c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton;
  return r.right <= width && ((format & DT_SINGLELINE) || r.bottom <= height + (button ? MulDiv(2, dpi_, 96) : 0));
}

void Win32Window::makeFonts() {
  // Each control gets its described font; where a caption would not fit in it (its widths do
  // not scale exactly with the layout at every dpi), the largest smaller one that lets it fit,
  // at most a quarter below. Fonts are shared between controls.
  struct Made {
    FontSpec spec;
    int smaller;
    HFONT font;
  };
  std::vector<Made> made;
  auto font = [&](const FontSpec& spec, int smaller) {
    for (const Made& m : made)
      if (m.smaller == smaller && m.spec.family == spec.family && m.spec.points == spec.points &&
          m.spec.bold == spec.bold && m.spec.italic == spec.italic)
        return m.font;
    const HFONT f = CreateFontForDpi(spec, dpi_, smaller);
    made.push_back(Made{spec, smaller, f});
    fonts_.push_back(f);
    return f;
  };
  const FontSpec windowSpec = ResolveFont(description_.font, FontSpec{});
  windowFont_ = font(windowSpec, 0);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const FontDescription& f = description_.controls[i].font;
    const FontSpec spec = f.isDefault() ? windowSpec : ResolveFont(f, windowSpec);
    const int most = NominalFontPixels(spec, dpi_) / 4;
    HFONT chosen = font(spec, 0);
    for (int smaller = 1; smaller <= most && !captionFits(static_cast<int>(i), chosen); ++smaller) chosen = font(spec, smaller);
    controls_[i].font = chosen;
    SendMessageW(controls_[i].hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
  }
}

void Win32Window::freeFonts() {
  for (HFONT f : fonts_)
    if (f) DeleteObject(f);
  fonts_.clear();
  windowFont_ = nullptr;
}

void Win32Window::layout() {
  const auto& rows = description_.controls;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ControlDescription& c = rows[i];
    // Each container's offset is rounded on its own, as nested native containers would place it.
    int x = 0, y = 0;
    for (int p = static_cast<int>(i); p >= 0; p = controls_[static_cast<std::size_t>(p)].parent) {
      x += TwipsToPixels(row(p).left, dpi_);
      y += TwipsToPixels(row(p).top, dpi_);
    }
    int width = TwipsToPixels(c.width, dpi_);
    int height = TwipsToPixels(c.height, dpi_);
    if (c.kind == ControlKind::Line) {
      const int thickness = std::max(1, MulDiv(c.lineWidth, dpi_, 96));
      if (c.width < c.height) {
        width = thickness;
        height = std::max(1, height);
      } else {
        height = thickness;
        width = std::max(1, width);
      }
    }
    Native& n = controls_[i];
    SetWindowPos(n.hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton) {
      // A button too narrow for any of its caption shows only its indicator; it keeps the caption.
      // Its window text is then the name a screen reader reads for it, where the control has no
      // room at all to draw text, or else nothing.
      const int room = width - IndicatorWidth(dpi_);
      const bool hide = !c.caption.empty() && room < MulDiv(6, dpi_, 96);
      if (hide || hide != n.captionHidden) {
        n.captionHidden = hide;
        SetWindowTextW(n.hwnd, Wide(!hide ? n.caption : room <= 0 ? c.accessibleName : std::string()).c_str());
      }
    }
  }
}

void Win32Window::loadIcons() {
  for (HICON* icon : {&smallIcon_, &bigIcon_, &pictureIcon_})
    if (*icon) {
      DestroyIcon(*icon);
      *icon = nullptr;
    }
  auto load = [this](int size) {
    const int pixels = MulDiv(size, dpi_, 96);
    return static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
  };
  if (description_.programIcon) {
    smallIcon_ = load(16);
    bigIcon_ = load(32);
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  }
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (description_.controls[i].kind != ControlKind::PictureBox) continue;
    if (!pictureIcon_) pictureIcon_ = load(32);
    SendMessageW(controls_[i].hwnd, STM_SETICON, reinterpret_cast<WPARAM>(pictureIcon_), 0);
    // Setting an icon sizes the control to it; the description's size stands.
    const ControlDescription& c = description_.controls[i];
    SetWindowPos(controls_[i].hwnd, nullptr, 0, 0, TwipsToPixels(c.width, dpi_), TwipsToPixels(c.height, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

SIZE Win32Window::outerSizeForClient(int clientWidth, int clientHeight) const {
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustRectForDpi(r, style_, exStyle_, dpi_);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// ---- Controls ----------------------------------------------------------------------------------

int Win32Window::indexOf(HWND control) const {
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i].hwnd == control) return static_cast<int>(i);
  return -1;
}

bool Win32Window::shownInWindow(int control) const {
  for (int c = control; c >= 0; c = controls_[static_cast<std::size_t>(c)].parent)
    if (!controls_[static_cast<std::size_t>(c)].ownFlag) return false;
  return true;
}

bool Win32Window::usable(int control) const {
  return control >= 0 && shownInWindow(control) && IsWindowEnabled(controlHandle(control));
}

void Win32Window::applyVisibility(int control) {
  const bool show = shownInWindow(control);
  const HWND h = controlHandle(control);
  if ((IsWindowVisible(h) != FALSE) == show && (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) == (show ? WS_VISIBLE : 0u))
    return;
  ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
}

void Win32Window::setWindowCaption(const std::string& caption) { SetWindowTextW(hwnd_, Wide(caption).c_str()); }

void Win32Window::setCaption(int control, const std::string& caption) {
  Native& n = controls_[static_cast<std::size_t>(control)];
  const ControlKind kind = row(control).kind;
  if (kind == ControlKind::TextBox || kind == ControlKind::Line || kind == ControlKind::PictureBox) return;
  // The same caption again changes nothing on the screen: no new text, no repaint.
  if (caption == n.caption) return;
  n.caption = caption;
  if (n.captionHidden) return;
  SetWindowTextW(n.hwnd, Wide(caption).c_str());
  if (kind == ControlKind::Label) InvalidateRect(n.hwnd, nullptr, FALSE);
}

std::string Win32Window::text(int control) const {
  if (row(control).kind != ControlKind::TextBox) return std::string();
  const HWND h = controlHandle(control);
  const int length = GetWindowTextLengthW(h);
  if (length <= 0) return std::string();
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(h, buffer.data(), length + 1);
  return Utf8(std::wstring_view(buffer.data(), static_cast<std::size_t>(got)));
}

void Win32Window::setText(int control, const std::string& text) {
  if (row(control).kind == ControlKind::TextBox) SetWindowTextW(controlHandle(control), Wide(text).c_str());
}

void Win32Window::setValue(int control, int value) {
  const ControlKind kind = row(control).kind;
  WPARAM state = BST_UNCHECKED;
  if (kind == ControlKind::CheckBox)
    state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
  else if (kind == ControlKind::OptionButton)
    state = value != 0 ? BST_CHECKED : BST_UNCHECKED;
  else
    return;
  // Setting the state sends no notification: nothing is reported back.
  SendMessageW(controlHandle(control), BM_SETCHECK, state, 0);
}

void Win32Window::setVisible(int control, bool visible) {
  controls_[static_cast<std::size_t>(control)].ownFlag = visible;
  // The control and everything its frame holds, each by its own flag.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    for (int c = static_cast<int>(i); c >= 0; c = controls_[static_cast<std::size_t>(c)].parent) {
      if (c == control) {
        applyVisibility(static_cast<int>(i));
        break;
      }
    }
  }
}

void Win32Window::setLocked(int control, bool locked) {
  if (row(control).kind == ControlKind::TextBox) SendMessageW(controlHandle(control), EM_SETREADONLY, locked, 0);
}

void Win32Window::setFocus(int control) {
  if (control < 0) return;
  savedFocus_ = control;
  // A window that is not the active one takes the focus on its activation.
  if (IsWindowVisible(hwnd_) && GetActiveWindow() == hwnd_) SetFocus(controlHandle(control));
}

void Win32Window::focusControl(int control, bool fromKeyboard) {
  setFocus(control);
  // Reaching a text box by the keyboard selects its text, as in dialogs.
  if (fromKeyboard && row(control).kind == ControlKind::TextBox)
    SendMessageW(controlHandle(control), EM_SETSEL, 0, -1);
}

int Win32Window::focused() const {
  const HWND focus = GetFocus();
  if (focus && GetAncestor(focus, GA_ROOT) == hwnd_) {
    const int index = indexOf(focus);
    if (index >= 0) return index;
  }
  return savedFocus_;
}

// ---- The window --------------------------------------------------------------------------------

void Win32Window::show() {
  if (IsWindowVisible(hwnd_)) {
    // Shown already: to the front, as it is.
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
  } else {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
  }
}

void Win32Window::showNow() {
  show();
  // Paints the window and every control at once, handling no input meanwhile.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

void Win32Window::hide() { ShowWindow(hwnd_, SW_HIDE); }

bool Win32Window::isShown() const { return IsWindowVisible(hwnd_) != FALSE; }

void Win32Window::close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void Win32Window::repaintNow(int /*control*/) {
  // Every caption set so far reaches the screen, while the thread stays busy: a new caption has
  // marked its control for painting, and only what is so marked is painted now.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

namespace {

// The window whose busy caller looks for a request to stop, while it does.
Win32Window*& PollingWindow() {
  static Win32Window* window = nullptr;
  return window;
}

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_NCMOUSEHOVER ||
         message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE;
}

}  // namespace

bool Win32Window::pollStopRequest() {
  stopRequested_ = false;
  Win32Window* const outer = std::exchange(PollingWindow(), this);
  MSG m{};
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that is waiting for it
      break;
    }
    if (IsUserInput(m.message)) {
      if (WindowOf(m.hwnd) != this) continue;  // input to the other windows is dropped
      if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) stopRequested_ = true;
      // The caption's buttons (the close box) keep working; other input to this window has
      // nothing to do.
      const bool caption = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCXBUTTONDBLCLK;
      if (!caption) continue;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  PollingWindow() = outer;
  return stopRequested_;
}

double Win32Window::clientWidthTwips() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return PixelsToTwips(r.right - r.left, dpi_);
}

double Win32Window::clientHeightTwips() const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  return PixelsToTwips(r.bottom - r.top, dpi_);
}

void Win32Window::setClientWidthTwips(double twips) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  clientWidthTwips_ = static_cast<int>(twips);
  const SIZE outer = outerSizeForClient(std::max(1, TwipsToPixels(twips, dpi_)), client.bottom - client.top);
  SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double Win32Window::frameHeightTwips() const {
  RECT outer{}, client{};
  GetWindowRect(hwnd_, &outer);
  GetClientRect(hwnd_, &client);
  const int frame = (outer.bottom - outer.top) - (client.bottom - client.top);
  return frame > 0 ? PixelsToTwips(frame, dpi_) : 0.0;
}

RECT Win32Window::monitorRect() const {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

double Win32Window::leftTwips() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return PixelsToTwips(r.left - monitorRect().left, dpi_);
}

double Win32Window::topTwips() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return PixelsToTwips(r.top - monitorRect().top, dpi_);
}

void Win32Window::moveTwips(double left, double top) {
  const RECT screen = monitorRect();
  SetWindowPos(hwnd_, nullptr, screen.left + TwipsToPixels(left, dpi_), screen.top + TwipsToPixels(top, dpi_), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TwipSize Win32Window::screenSizeTwips() const {
  const RECT screen = monitorRect();
  return TwipSize{PixelsToTwips(screen.right - screen.left, dpi_), PixelsToTwips(screen.bottom - screen.top, dpi_)};
}

void Win32Window::messageBox(const std::string& title, const std::string& text) {
  // OK alone: no icon. The box disables this window while it is open.
  MessageBoxW(IsWindowVisible(hwnd_) ? hwnd_ : nullptr, Wide(text).c_str(), Wide(title).c_str(), MB_OK);
}

void Win32Window::drawLabel(int control, HDC target, const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // One picture for the window's labels, kept while it is large enough.
  if (!canvasDc_) canvasDc_ = CreateCompatibleDC(target);
  if (!canvasDc_) return;
  if (!canvas_ || canvasSize_.cx < width || canvasSize_.cy < height) {
    const SIZE size{std::max<LONG>(width, canvasSize_.cx), std::max<LONG>(height, canvasSize_.cy)};
    const HBITMAP bigger = CreateCompatibleBitmap(target, size.cx, size.cy);
    if (!bigger) return;
    SelectObject(canvasDc_, bigger);
    if (canvas_) DeleteObject(canvas_);
    canvas_ = bigger;
    canvasSize_ = size;
  }
  const ControlDescription& c = row(control);
  const Native& n = controls_[static_cast<std::size_t>(control)];
  const HDC dc = canvasDc_;
  const HGDIOBJ oldFont = SelectObject(dc, n.font ? n.font : windowFont_);
  RECT r{0, 0, width, height};
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.colour.set ? RGB(c.colour.red, c.colour.green, c.colour.blue) : GetSysColor(COLOR_BTNTEXT));
  const UINT align = c.align == Alignment::Centre ? DT_CENTER : c.align == Alignment::Right ? DT_RIGHT : DT_LEFT;
  const std::wstring text = Wide(n.caption);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  BitBlt(target, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldFont);
}

// ---- What the user does ------------------------------------------------------------------------

void Win32Window::press(int control) { events_.userPressed(control); }

void Win32Window::toggleCheckBox(int control) {
  const HWND h = controlHandle(control);
  const int value = SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 0 : 1;
  SendMessageW(h, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  events_.userChanged(control, value);
}

void Win32Window::selectOption(int control) {
  const HWND h = controlHandle(control);
  // A click on the selected member changes and reports nothing; the others are cleared by the
  // neutral layer.
  if (SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) return;
  SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
  events_.userChanged(control, 1);
}

void Win32Window::onCommand(int control, int code) {
  if (code != BN_CLICKED) return;
  switch (row(control).kind) {
    case ControlKind::CommandButton: press(control); break;
    case ControlKind::CheckBox: toggleCheckBox(control); break;
    case ControlKind::OptionButton: selectOption(control); break;
    default: break;
  }
}

bool Win32Window::moveInOptionGroup(int from, bool forward) {
  // The members of the group in tab order, those shown only.
  std::vector<int> members;
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (row(static_cast<int>(i)).kind == ControlKind::OptionButton && controls_[i].parent == controls_[static_cast<std::size_t>(from)].parent &&
        usable(static_cast<int>(i)))
      members.push_back(static_cast<int>(i));
  std::stable_sort(members.begin(), members.end(), [this](int a, int b) { return row(a).tabIndex < row(b).tabIndex; });
  const auto at = std::find(members.begin(), members.end(), from);
  if (at == members.end() || members.size() < 2) return true;
  const int n = static_cast<int>(members.size());
  const int position = static_cast<int>(at - members.begin());
  const int target = members[static_cast<std::size_t>((position + (forward ? 1 : n - 1)) % n)];
  focusControl(target, true);
  selectOption(target);
  return true;
}

bool Win32Window::accessKey(wchar_t key) {
  key = static_cast<wchar_t>(std::towlower(key));
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const int control = static_cast<int>(i);
    const ControlKind kind = row(control).kind;
    if (kind != ControlKind::CommandButton && kind != ControlKind::CheckBox && kind != ControlKind::OptionButton)
      continue;
    if (controls_[i].captionHidden || AccessKeyOf(controls_[i].caption) != key || !usable(control)) continue;
    focusControl(control, true);
    onCommand(control, BN_CLICKED);
    return true;
  }
  return false;
}

bool Win32Window::translateKey(const MSG& m) {
  const int current = focused();
  const bool inTextBox = current >= 0 && row(current).kind == ControlKind::TextBox;
  if (m.message == WM_KEYDOWN) {
    if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
    switch (m.wParam) {
      case VK_TAB: {
        const int target = events_.nextTabStop(current, !KeyDown(VK_SHIFT));
        if (target >= 0) focusControl(target, true);
        return true;
      }
      case VK_RETURN: {
        // The focused push button, else the default one.
        int target = current >= 0 && row(current).kind == ControlKind::CommandButton && usable(current) ? current : -1;
        for (std::size_t i = 0; target < 0 && i < controls_.size(); ++i)
          if (row(static_cast<int>(i)).isDefault && usable(static_cast<int>(i))) target = static_cast<int>(i);
        if (target < 0) return false;
        press(target);
        return true;
      }
      case VK_ESCAPE:
        for (std::size_t i = 0; i < controls_.size(); ++i)
          if (row(static_cast<int>(i)).isCancel && usable(static_cast<int>(i))) {
            press(static_cast<int>(i));
            return true;
          }
        return false;
      case VK_LEFT:
      case VK_UP:
      case VK_RIGHT:
      case VK_DOWN:
        if (current >= 0 && row(current).kind == ControlKind::OptionButton)
          return moveInOptionGroup(current, m.wParam == VK_RIGHT || m.wParam == VK_DOWN);
        return false;
      default:
        return false;
    }
  }
  // Access keys: with Alt anywhere, and the plain letter where it types nothing.
  if (m.message == WM_SYSCHAR) return accessKey(static_cast<wchar_t>(m.wParam));
  if (m.message == WM_CHAR && !inTextBox && m.wParam > L' ') return accessKey(static_cast<wchar_t>(m.wParam));
  return false;
}

bool Win32Window::PreTranslate(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      break;
    default:
      return false;
  }
  Win32Window* window = WindowOf(message.hwnd);
  return window && IsWindowEnabled(window->hwnd_) && window->translateKey(message);
}

bool Win32Window::AnyShown() {
  for (Win32Window* w : OpenWindows())
    if (w->isShown()) return true;
  return false;
}

// ---- Messages ----------------------------------------------------------------------------------

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* self = static_cast<Win32Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->controls_.empty()) return DefWindowProcW(hwnd, message, wParam, lParam);
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
      if (control < 0 || row(control).kind != ControlKind::Label) break;
      drawLabel(control, item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      const int control = indexOf(reinterpret_cast<HWND>(lParam));
      const LRESULT brush = DefWindowProcW(hwnd_, message, wParam, lParam);
      if (control < 0) return brush;
      const ControlDescription& c = row(control);
      if (c.kind == ControlKind::Line) return reinterpret_cast<LRESULT>(controls_[static_cast<std::size_t>(control)].brush);
      if (c.kind == ControlKind::Label && c.colour.set)
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(c.colour.red, c.colour.green, c.colour.blue));
      return brush;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (const int index = indexOf(focus); index >= 0) savedFocus_ = index;
      } else if (savedFocus_ >= 0 && IsWindowVisible(controlHandle(savedFocus_))) {
        SetFocus(controlHandle(savedFocus_));
        return 0;
      }
      break;
    case WM_CLOSE:
      // While a busy caller looks for a stop: this window's close box asks for it and leaves the
      // window open, and the other windows do not close.
      if (PollingWindow() == this) {
        stopRequested_ = true;
        return 0;
      }
      if (PollingWindow()) return 0;
      // The close box hides the window; what becomes of it is the owner's decision.
      ShowWindow(hwnd_, SW_HIDE);
      events_.closedByUser();
      // The run ends when the last window has closed.
      if (!AnyShown()) PostQuitMessage(0);
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      freeFonts();
      layout();
      makeFonts();
      loadIcons();
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      RECT client{};
      GetClientRect(hwnd_, &client);
      const SIZE outer = outerSizeForClient(TwipsToPixels(clientWidthTwips_, dpi_),
                                            TwipsToPixels(description_.clientHeight, dpi_));
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace quorvane::ui::win32
