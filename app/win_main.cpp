// The Windows program: the same windows as on Linux, on the native Win32 controls.

#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "main_window/main_form.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/dpi.h"
#include "core/utf16.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  namespace win32 = quorvane::ui::win32;
  win32::DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);

  try {
    win32::Install();
    // Closing the main window ends its life at once; the run ends when the last window of the
    // program has closed (an About box that is still open outlives the main window).
    auto* mainForm = new quorvane::MainForm;
    mainForm->setClosedHandler([mainForm] { mainForm->discardLater([mainForm] { delete mainForm; }); });
    mainForm->show();
    return win32::RunMessageLoop();
  } catch (const std::exception& failure) {
    MessageBoxW(nullptr, quorvane::Wide(failure.what()).c_str(), quorvane::Wide(quorvane::ui::kAppTitle).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }
}
