#pragma once

// The names that screen readers read for controls whose window text does not say what they are
// (text boxes, option buttons that draw no caption). Windows' Dynamic Annotation gives them;
// tests put a recorder in its place.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace quorvane::ui::win32 {

class AccessibleNames {
 public:
  virtual ~AccessibleNames() = default;
  virtual void setName(HWND control, const std::wstring& name) = 0;
  // Before the control goes.
  virtual void clearName(HWND control) = 0;
};

// Where the windows built from now on set their controls' names; null for Windows' own
// (Dynamic Annotation). Returns the previous one.
AccessibleNames* SetAccessibleNames(AccessibleNames* names);
AccessibleNames& CurrentAccessibleNames();

}  // namespace quorvane::ui::win32
