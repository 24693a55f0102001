// Timing of the longest scalps search through the main window, with the Working window shown (on
// a real display, e.g. under xvfb-run) and hidden: level 50 at 25,227,500 XP to level 189, "Give
// Rings for XP", Good, "Search with 0 left:" Scalps (step 5), "Update window after:" 100.
// Reports the whole press of "Calculate", the number of forced repaints and their own cost. The
// Working window is timed twice in the same run: repainted whole at every repaint point with no
// look for the user's stop (as the program did before it could be stopped), and as the program
// does now (the changed captions only, and a look for a stop at every repaint point).
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/quorvane_bench_working_window [runs]
#include <QApplication>
#include <QWidget>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/level_table.h"
#include "platform/program_folder.h"
#include "main_window/main_form.h"
#include "toolkit/qt/backend.h"
#include "working_window/working_form.h"

using namespace quorvane;

namespace {

// Passes every call on to the main window's view and times the Working window's repaints.
class TimedView : public CalculateView {
 public:
  TimedView(CalculateView& inner, MainForm& form, bool wholeWindow) : v_(inner), form_(form), whole_(wholeWindow) {}
  std::string text(TextField f) const override { return v_.text(f); }
  void setText(TextField f, const std::string& t) override { v_.setText(f, t); }
  int checkValue(CheckField c) const override { return v_.checkValue(c); }
  bool optionSelected(OptionGroup g, int i) const override { return v_.optionSelected(g, i); }
  void setCaption(ResultLabel l, const std::string& c) override { v_.setCaption(l, c); }
  void showMessage(const std::string& title, const std::string& text) override {
    std::fprintf(stderr, "message: %s: %s\n", title.c_str(), text.c_str());
    std::exit(1);
  }
  void openWorkingWindow() override {
    QElapsedTimer t;
    t.start();
    v_.openWorkingWindow();
    openNs += t.nsecsElapsed();
  }
  void setWorkingCaption(WorkingLabel l, const std::string& c) override { v_.setWorkingCaption(l, c); }
  void repaintWorkingWindow() override {
    QElapsedTimer t;
    t.start();
    if (whole_ && form_.workingWindow())
      ui::qt::WindowWidget(*form_.workingWindow())->repaint();
    else
      v_.repaintWorkingWindow();
    repaintNs += t.nsecsElapsed();
    ++repaints;
  }
  void closeWorkingWindow() override { v_.closeWorkingWindow(); }
  bool workingWindowStopRequested() override { return !whole_ && v_.workingWindowStopRequested(); }

  qint64 openNs = 0;
  qint64 repaintNs = 0;
  long repaints = 0;

 private:
  CalculateView& v_;
  MainForm& form_;
  bool whole_;
};

struct Run {
  double totalMs, openMs, repaintMs;
  long repaints;
  QString answer;
};

Run Press(MainForm& form, bool wholeWindow) {
  TimedView view(form.calculateView(), form, wholeWindow);
  QElapsedTimer t;
  t.start();
  const CalculateOutcome outcome = ExecuteCalculate(view, DefaultLevelTablePath());
  const qint64 total = t.nsecsElapsed();
  if (outcome != CalculateOutcome::Results) std::exit(1);
  QApplication::processEvents();  // let the closed Working window go, as after a real press
  return {total / 1e6, view.openNs / 1e6, view.repaintNs / 1e6, view.repaints,
          QString::fromStdString(form.control("ScalpsNdd").caption())};
}

}  // namespace

int main(int argc, char* argv[]) {
  ui::qt::BeforeApplication();  // as the program does
  QApplication app(argc, argv);
  ui::qt::Install();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::printf("platform %s, %d runs each, median by total time\n", qPrintable(QGuiApplication::platformName()), runs);

  MainForm form;
  form.show();
  form.control("Text1").setText("25227500");
  form.control("ReqLVL").setValue(1);
  form.control("TargetLVL").setText("189");
  struct Mode {
    bool shown, wholeWindow;
    const char* name;
  };
  const Mode modes[] = {Mode{true, true, "shown, repainted whole, no stop"}, Mode{true, false, "shown"},
                        Mode{false, false, "hidden"}};
  // The modes take turns within each run, so that a machine that slows down or speeds up meanwhile
  // weighs on all of them alike.
  std::vector<std::vector<Run>> all(std::size(modes));
  for (int i = 0; i < runs; ++i) {
    for (std::size_t m = 0; m < std::size(modes); ++m) {
      form.control("chkWorking").setValue(modes[m].shown ? 0 : 1);
      all[m].push_back(Press(form, modes[m].wholeWindow));
    }
  }
  for (std::size_t m = 0; m < std::size(modes); ++m) {
    std::sort(all[m].begin(), all[m].end(), [](const Run& a, const Run& b) { return a.totalMs < b.totalMs; });
    const Run& r = all[m][all[m].size() / 2];
    const double rest = r.totalMs - r.repaintMs - r.openMs;
    std::printf("Working window %s: answer %s scalps, total %.3f ms", modes[m].name, qPrintable(r.answer), r.totalMs);
    if (modes[m].shown) {
      std::printf(
          ", opening %.3f ms, %ld repaints taking %.3f ms (%.1f us each), the rest %.3f ms = %.2f%% of the "
          "repaints' cost",
          r.openMs, r.repaints, r.repaintMs, 1000.0 * r.repaintMs / std::max(1L, r.repaints), rest,
          100.0 * rest / r.repaintMs);
    }
    std::printf("\n");
  }
  return 0;
}
