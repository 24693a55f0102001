#include "toolkit/win32/backend.h"

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

#include "toolkit/form.h"
#include "toolkit/win32/window.h"
#include "toolkit/win32/clipboard.h"

namespace quorvane::ui::win32 {

namespace {

constexpr const wchar_t* kDispatcherClass = L"QuorvaneDispatcher";
constexpr UINT kRunPosted = WM_APP + 1;

std::exception_ptr& keptFailure() {
  static std::exception_ptr failure;
  return failure;
}

// Work posted to run from the event loop, in order. A message to a hidden message-only window
// carries each item, so that it also runs inside modal loops (a message box's).
class Dispatcher {
 public:
  Dispatcher() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Dispatcher::procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kDispatcherClass;
    RegisterClassExW(&wc);
    window_ = CreateWindowExW(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!window_) throw std::runtime_error("the event dispatcher could not be created");
  }

  void post(std::function<void()> work) {
    queue_.push_back(std::move(work));
    if (!PostMessageW(window_, kRunPosted, 0, 0)) {
      queue_.pop_back();
      throw std::runtime_error("work could not be posted to the event loop");
    }
  }

 private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunPosted) {
      Dispatcher& self = instance();
      if (self.queue_.empty()) return 0;
      std::function<void()> work = std::move(self.queue_.front());
      self.queue_.pop_front();
      try {
        work();
      } catch (...) {
        KeepFailure(std::current_exception());
      }
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

 public:
  static Dispatcher& instance() {
    static Dispatcher dispatcher;
    return dispatcher;
  }

 private:
  HWND window_ = nullptr;
  std::deque<std::function<void()>> queue_;
};

void ThrowKeptFailure() {
  if (std::exception_ptr failure = std::exchange(keptFailure(), nullptr)) std::rethrow_exception(failure);
}

class Win32Backend final : public Backend {
 public:
  std::unique_ptr<WindowPeer> createWindow(const WindowDescription& description, PeerEvents& events) override {
    return std::make_unique<Win32Window>(description, events);
  }
  void post(std::function<void()> work) override { Dispatcher::instance().post(std::move(work)); }

  // The message loop. A failure inside a window's code ends it with that exception.
  int run() override {
    struct Running {
      int& depth;
      explicit Running(int& d) : depth(d) { ++depth; }
      ~Running() { --depth; }
    } running(running_);
    MSG message{};
    for (;;) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got == 0) return static_cast<int>(message.wParam);
      if (got == -1) return 1;
      if (!Win32Window::preTranslate(message) && !Win32Window::preTranslateMouse(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      ThrowKeptFailure();
    }
  }

  void quit(int status) override {
    if (running_ > 0) PostQuitMessage(status);
  }
  void setClipboardText(const std::string& text) override { SetClipboardUtf8(text); }

 private:
  int running_ = 0;  // the loops of run() that run, one inside the other
};

}  // namespace

void KeepFailure(std::exception_ptr failure) {
  if (!keptFailure()) keptFailure() = std::move(failure);
}

void Install() {
  static Win32Backend backend;
  Dispatcher::instance();
  SetBackend(&backend);
}

}  // namespace quorvane::ui::win32
