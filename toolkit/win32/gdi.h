#pragma once

// Owners of the GDI objects, icons and device contexts that the windows make: each frees what it
// holds once, when it goes, also when the code that made it leaves by an exception.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvane::ui::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

template <class Handle, class Deleter>
using HandleOwner = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using FontOwner = HandleOwner<HFONT, GdiObjectDeleter>;
using BrushOwner = HandleOwner<HBRUSH, GdiObjectDeleter>;
using BitmapOwner = HandleOwner<HBITMAP, GdiObjectDeleter>;
using IconOwner = HandleOwner<HICON, IconDeleter>;
// A device context of CreateCompatibleDC.
using MemoryDc = HandleOwner<HDC, MemoryDcDeleter>;

// The device context of a window (of the screen for none), from GetDC, released when it goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context while this lives; the object it replaced comes back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quorvane::ui::win32
