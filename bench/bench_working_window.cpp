// Timing of the longest scalps search through the main window on Qt, with the Working window
// shown (on a real display, e.g. under xvfb-run) and hidden; see working_window_timing.h.
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quorvane_bench_working_window [runs [mode]]
#include <QApplication>
#include <QWidget>

#include <string>

#include "bench/working_window_timing.h"
#include "toolkit/qt/backend.h"

using namespace quorvane;

int main(int argc, char* argv[]) {
  ui::qt::BeforeApplication();  // as the program does
  QApplication app(argc, argv);
  ui::qt::Install();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::string platform = "Qt, platform " + QGuiApplication::platformName().toStdString();
  bench::BackendHooks hooks{platform.c_str(), [](frmWorking& w) { ui::qt::WindowWidget(w)->repaint(); },
                            [] { QApplication::processEvents(); }};
  return bench::RunBenchmark(runs, hooks, argc > 2 ? argv[2] : "");
}
