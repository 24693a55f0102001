// Timing of the longest scalps search through the main window on the Win32 controls, with the
// Working window shown and hidden; see working_window_timing.h. Under Wine, on a virtual display:
//
//   scripts/bench-working-window.sh [runs]
#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "bench/working_window_timing.h"
#include "toolkit/win32/backend.h"
#include "toolkit/win32/dpi.h"
#include "toolkit/win32/window.h"

using namespace quorvane;

int main(int argc, char* argv[]) {
  ui::win32::DeclareDpiAwareness();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ui::win32::Install();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  bench::BackendHooks hooks{"Win32",
                            [](frmWorking& w) {
                              const HWND window = static_cast<ui::win32::Win32Window&>(w.peer()).handle();
                              RedrawWindow(window, nullptr, nullptr,
                                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
                              GdiFlush();
                            },
                            [] {
                              MSG m{};
                              while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                                TranslateMessage(&m);
                                DispatchMessageW(&m);
                              }
                            }};
  try {
    return bench::RunBenchmark(runs, hooks, argc > 2 ? argv[2] : "");
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
}
