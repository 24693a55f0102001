#pragma once

// The timing of the longest scalps search through the main window, shared by the benchmarks of
// the two back-ends: level 50 at 25,227,500 XP to level 189, "Give Rings for XP", Good, "Search
// with 0 left:" Scalps (step 5), "Update window after:" 100. The Working window is timed shown in
// three ways in the same run, taking turns: repainted whole at every repaint point with no look
// for the user's stop (the old way), with the window system polled at every look for a stop (the
// old way of looking), and as the program does it now; and hidden. Each press is split into the
// opening of the Working window, its repaints and the rest (of which the setting of its captions
// and the looks for a stop are timed apart).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "command/calculate_command.h"
#include "core/level_table.h"
#include "main_window/main_form.h"
#include "platform/program_folder.h"
#include "working_window/working_form.h"

namespace quorvane::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Passes every call on to the main window's view and its Working window, and times the Working
// window's phases.
class TimedView : public CalculateView, public WorkingWindow {
 public:
  // `repaintWhole` repaints the whole Working window; null: the program's own repaint.
  // `pollEvery` polls the window system at every look for a stop; null: the program's own look.
  TimedView(CalculateView& inner, std::function<void()> repaintWhole, std::function<bool()> pollEvery)
      : v_(inner), whole_(std::move(repaintWhole)), pollEvery_(std::move(pollEvery)) {}
  CalculateInput read() const override { return v_.read(); }
  void apply(const CalculateWrites& writes) override { v_.apply(writes); }
  void showMessage(const std::string& title, const std::string& text) override {
    std::fprintf(stderr, "message: %s: %s\n", title.c_str(), text.c_str());
    std::exit(1);
  }
  WorkingWindow& openWorkingWindow() override {
    const auto t = Clock::now();
    working_ = &v_.openWorkingWindow();
    openMs += MsSince(t);
    return *this;
  }
  void setLabel(WorkingLabel l, const std::string& c) override {
    const auto t = Clock::now();
    working_->setLabel(l, c);
    captionMs += MsSince(t);
  }
  void repaintNow() override {
    const auto t = Clock::now();
    if (whole_)
      whole_();
    else
      working_->repaintNow();
    repaintMs += MsSince(t);
    ++repaints;
  }
  void closeWorkingWindow() override {
    v_.closeWorkingWindow();
    working_ = nullptr;
  }
  bool stopRequested() override {
    if (whole_) return false;
    const auto t = Clock::now();
    const bool stop = pollEvery_ ? pollEvery_() : working_->stopRequested();
    pollMs += MsSince(t);
    return stop;
  }

  double openMs = 0, captionMs = 0, repaintMs = 0, pollMs = 0;
  long repaints = 0;

 private:
  CalculateView& v_;
  WorkingWindow* working_ = nullptr;
  std::function<void()> whole_;
  std::function<bool()> pollEvery_;
};

struct Run {
  double totalMs, openMs, captionMs, repaintMs, pollMs;
  long repaints;
  std::string answer;
};

// What a back-end gives the benchmark.
struct BackendHooks {
  const char* platform;
  // Repaints the whole loaded Working window at once and brings it to the screen.
  std::function<void(frmWorking&)> repaintWhole;
  // Handles what the window system has pending (the closed Working window going), as after a
  // real press.
  std::function<void()> settle;
};

inline Run Press(MainForm& form, bool wholeWindow, bool pollEvery, const BackendHooks& hooks) {
  std::function<void()> whole;
  if (wholeWindow)
    whole = [&] {
      if (frmWorking* w = form.workingWindow()) hooks.repaintWhole(*w);
    };
  std::function<bool()> poll;
  if (pollEvery) poll = [&] { return form.workingWindow()->peer().pollStopRequest(); };
  TimedView view(form.calculateView(), whole, poll);
  const auto t = Clock::now();
  const CalculateOutcome outcome = ExecuteCalculate(view, DefaultLevelTablePath());
  const double total = MsSince(t);
  if (outcome != CalculateOutcome::Results) std::exit(1);
  hooks.settle();
  return {total,
          view.openMs,
          view.captionMs,
          view.repaintMs,
          view.pollMs,
          view.repaints,
          form.control("ScalpsNdd").caption()};
}

// Runs the three modes `runs` times each, taking turns, and prints the median run of each; with
// `only` (for profiling), the mode of that name alone.
inline int RunBenchmark(int runs, const BackendHooks& hooks, const std::string& only = std::string()) {
  std::printf("%s, %d runs each, median by total time\n", hooks.platform, runs);
  std::fflush(stdout);
  MainForm form;
  form.show();
  form.control("Text1").setText("25227500");
  form.control("ReqLVL").setValue(1);
  form.control("TargetLVL").setText("189");
  struct Mode {
    bool shown, wholeWindow, pollEvery;
    const char* name;
  };
  const Mode modes[] = {Mode{true, true, false, "shown, repainted whole, no stop"},
                        Mode{true, false, true, "shown, polled at every look"}, Mode{true, false, false, "shown"},
                        Mode{false, false, false, "hidden"}};
  // The modes take turns within each run, so that a machine that slows down or speeds up meanwhile
  // weighs on all of them alike.
  std::vector<std::vector<Run>> all(std::size(modes));
  for (int i = 0; i < runs; ++i) {
    for (std::size_t m = 0; m < std::size(modes); ++m) {
      if (!only.empty() && only != modes[m].name) continue;
      form.control("chkWorking").setValue(modes[m].shown ? 0 : 1);
      all[m].push_back(Press(form, modes[m].wholeWindow, modes[m].pollEvery, hooks));
    }
  }
  for (std::size_t m = 0; m < std::size(modes); ++m) {
    if (all[m].empty()) continue;
    std::sort(all[m].begin(), all[m].end(), [](const Run& a, const Run& b) { return a.totalMs < b.totalMs; });
    const Run& r = all[m][all[m].size() / 2];
    std::printf("Working window %s: answer %s scalps, total %.3f ms", modes[m].name, r.answer.c_str(), r.totalMs);
    if (modes[m].shown) {
      const double rest = r.totalMs - r.repaintMs - r.openMs;
      std::printf(
          ", opening %.3f ms, %ld repaints taking %.3f ms (%.1f us each), the rest %.3f ms = %.2f%% of the "
          "repaints' cost (of it %.3f ms setting captions, %.3f ms looking for a stop)",
          r.openMs, r.repaints, r.repaintMs, 1000.0 * r.repaintMs / std::max(1L, r.repaints), rest,
          100.0 * rest / r.repaintMs, r.captionMs, r.pollMs);
    }
    std::printf("\n");
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace quorvane::bench
