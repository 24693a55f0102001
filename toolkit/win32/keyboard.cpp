// The keys of the program's windows, as the message loop meets them: each key that the window
// layer takes goes to it, before the control that has the focus sees it.

#include "toolkit/win32/window.h"

namespace quorvane::ui::win32 {

namespace {

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// The key that a message carries, as the window layer takes it; false for one it does not take.
bool KeyOf(const MSG& m, KeyEvent& key) {
  key.shift = Down(VK_SHIFT);
  key.control = Down(VK_CONTROL);
  key.alt = Down(VK_MENU);
  switch (m.message) {
    case WM_KEYDOWN:
      switch (m.wParam) {
        case VK_TAB: key.key = Key::Tab; return true;
        case VK_RETURN: key.key = Key::Enter; return true;
        case VK_ESCAPE: key.key = Key::Escape; return true;
        case VK_LEFT: key.key = Key::Left; return true;
        case VK_RIGHT: key.key = Key::Right; return true;
        case VK_UP: key.key = Key::Up; return true;
        case VK_DOWN: key.key = Key::Down; return true;
        case VK_APPS: key.key = Key::Menu; return true;
        default:
          // Ctrl and a letter: its WM_CHAR carries a control character, not the letter.
          if (!key.control || key.alt || m.wParam < 'A' || m.wParam > 'Z') return false;
          key.key = Key::Character;
          key.character = static_cast<char>(m.wParam - 'A' + 'a');
          return true;
      }
    case WM_SYSKEYDOWN:
      if (m.wParam != VK_F10) return false;
      key.key = Key::Function10;
      return true;
    case WM_SYSCHAR: key.alt = true; [[fallthrough]];
    case WM_CHAR: {
      const WPARAM c = m.wParam;
      if (c >= 'A' && c <= 'Z')
        key.character = static_cast<char>(c - 'A' + 'a');
      else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        key.character = static_cast<char>(c);
      else
        return false;
      key.key = Key::Character;
      return true;
    }
    default: return false;
  }
}

// The key whose press the layer took as the request for a context menu: its release must not
// ask the focused control for a menu of its own (a text box's).
WPARAM& MenuKeyTaken() {
  static WPARAM key = 0;
  return key;
}

}  // namespace

bool Win32Window::preTranslate(const MSG& message) {
  if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && MenuKeyTaken() == message.wParam) {
    MenuKeyTaken() = 0;
    return true;
  }
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_CHAR &&
      message.message != WM_SYSCHAR)
    return false;
  Win32Window* const window = windowOf(message.hwnd);
  // A window that a modal box has disabled takes no keys.
  if (!window || !IsWindowEnabled(window->handle())) return false;
  KeyEvent key;
  if (!KeyOf(message, key)) return false;
  if (message.message == WM_KEYDOWN) window->showKeyboardCues();
  const bool taken = window->events_.userKey(key);
  if (taken && (key.key == Key::Menu || key.key == Key::Function10)) MenuKeyTaken() = message.wParam;
  return taken;
}

bool Win32Window::preTranslateMouse(const MSG& message) {
  if (message.message != WM_RBUTTONUP) return false;
  Win32Window* const window = windowOf(message.hwnd);
  if (!window || !IsWindowEnabled(window->handle())) return false;
  POINT at = message.pt;
  ScreenToClient(window->handle(), &at);
  return window->events_.userAskedForMenu(PixelsToTwips(at.x, window->dpi_), PixelsToTwips(at.y, window->dpi_));
}

}  // namespace quorvane::ui::win32
