// The Windows program: the same windows as on Linux, on the native Win32 controls.

#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "app/startup.h"
#include "core/utf16.h"
#include "toolkit/description.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/dpi.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  namespace win32 = quorvane::ui::win32;
  win32::DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  try {
    win32::Install();
    return quorvane::RunProgram();
  } catch (const std::exception& failure) {
    MessageBoxW(nullptr, quorvane::Wide(failure.what()).c_str(), quorvane::Wide(quorvane::ui::kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
