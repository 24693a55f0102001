// A poll for a request to stop, while a caller keeps the user-interface thread busy: the
// window system's pending messages are handled, the user's input to the other windows is
// dropped, and Esc or the close box of the polling window asks to stop.

#include <utility>

#include "toolkit/win32/window.h"

namespace quorvane::ui::win32 {

namespace {

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) || message == WM_NCMOUSEHOVER ||
         message == WM_NCMOUSELEAVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE;
}

}  // namespace

Win32Window*& Win32Window::pollingWindow() {
  static Win32Window* window = nullptr;
  return window;
}

bool Win32Window::pollStopRequest() {
  stopRequested_ = false;
  giveWindowTexts();
  Win32Window* const outer = std::exchange(pollingWindow(), this);
  MSG m{};
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that is waiting for it
      break;
    }
    if (IsUserInput(m.message)) {
      if (windowOf(m.hwnd) != this) continue;  // input to the other windows is dropped
      if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) stopRequested_ = true;
      // The caption's buttons (the close box) keep working; other input to this window has
      // nothing to do.
      const bool caption = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCXBUTTONDBLCLK;
      if (!caption) continue;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  pollingWindow() = outer;
  return stopRequested_;
}

}  // namespace quorvane::ui::win32
