#include "core/search.h"

#include <chrono>
#include <cmath>
#include <limits>

#include "core/number_text.h"

namespace quorvane {

std::int64_t SearchStep(ZeroLeft choice, Side side) {
  switch (choice) {
    case ZeroLeft::Scalps: return 5;
    case ZeroLeft::Maces: return 25;
    case ZeroLeft::Belts: return 75;
    case ZeroLeft::Books: return 375;
    case ZeroLeft::Rings: return side == Side::Good ? 750 : 1125;
  }
  return 5;
}

namespace {

class Searcher {
 public:
  Searcher(const SearchInput& input, SearchDisplay& display)
      : in_(input),
        display_(display),
        startText_(FormatPlain(static_cast<std::int64_t>(input.start.StartLevel))),
        targetText_(FormatPlain(static_cast<std::int64_t>(input.TargetLevel))) {}

  ProjectionResult Project(std::int64_t index) {
    ProjectionInput p = in_.start;
    p.ScalpsOwned = index * in_.Step;
    ++projections_;
    return RunProjection(p);
  }

  // The target is reached when the XP is at or past the target level's start (or past the
  // next level's start).
  bool Reached(const ProjectionResult& r) const {
    const LevelTable& t = *in_.start.Table;
    return t.LevelXP(in_.TargetLevel) <= r.CurrentXP || r.CurrentXP > t.LevelXP(in_.TargetLevel + 1);
  }

  // A candidate ends the search when its projection reaches the target or cannot finish.
  bool Stops(const ProjectionResult& r) const { return r.Outcome != ProjectionOutcome::Finished || Reached(r); }

  bool RepaintDue(std::int64_t index) const {
    if (!in_.UseUpdateInterval) return true;
    const double q = static_cast<double>(index * in_.Step) / in_.UpdateInterval;
    return q == std::floor(q);
  }

  void ShowCandidate(std::int64_t index) {
    display_.SetCandidate(startText_, targetText_, FormatPlain(index * in_.Step));
  }

  void ShowLevelReached(const ProjectionResult& previous) {
    display_.SetLevelReached("Level reached: " + FormatPlain(static_cast<std::int64_t>(previous.CurrentLevel)));
  }

  // Asks the display whether the user wants to stop: at every repaint point, and between them
  // once kStopCheckMs have passed since the last question (the clock is read every 1024 steps).
  bool StopAtRepaint() {
    lastAsked_ = std::chrono::steady_clock::now();
    stepsSinceClock_ = 0;
    return display_.StopRequested();
  }
  bool StopBetweenRepaints() {
    if (++stepsSinceClock_ < 1024) return false;
    stepsSinceClock_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastAsked_ < std::chrono::milliseconds(kStopCheckMs)) return false;
    return StopAtRepaint();
  }

  SearchResult Stopped(std::int64_t index) {
    SearchResult result;
    result.Outcome = SearchOutcome::StoppedByUser;
    result.Scalps = index * in_.Step;
    result.Projections = projections_;
    return result;
  }

  SearchResult Finish(std::int64_t index, const ProjectionResult& r) {
    SearchResult result;
    result.Scalps = index * in_.Step;
    result.Projection = r;
    switch (r.Outcome) {
      case ProjectionOutcome::StoppedAtLevelCap: result.Outcome = SearchOutcome::StoppedAtLevelCap; break;
      case ProjectionOutcome::MissingLevel: result.Outcome = SearchOutcome::MissingLevel; break;
      case ProjectionOutcome::Finished:
        result.Outcome = SearchOutcome::Found;
        if (in_.ShowWorkingWindow) display_.CloseWindow();
        display_.SetScalpsNeeded(FormatPlain(result.Scalps));
        break;
    }
    result.Projections = projections_;
    return result;
  }

  // Every candidate in turn: captions, repaint when due, projection, stop test.
  SearchResult Straight() {
    for (std::int64_t k = 0;; ++k) {
      if (in_.ShowWorkingWindow) {
        ShowCandidate(k);
        if (RepaintDue(k)) {
          display_.RepaintNow();
          if (StopAtRepaint()) return Stopped(k);
        } else if (StopBetweenRepaints()) {
          return Stopped(k);
        }
      }
      const ProjectionResult r = Project(k);
      if (Stops(r)) return Finish(k, r);
      if (in_.ShowWorkingWindow) ShowLevelReached(r);
    }
  }

  // Whether a candidate stops the search is monotone in the scalps count: a projection plays
  // the bundles one after another, each worth level x factor XP at the level of that moment,
  // and the level rises whenever the XP reaches the next level's start. With more scalps every
  // stage has at least as many items, so the run with more scalps repeats the run with fewer
  // and then hands in more: at every point its level and XP are at least as high. Hence more
  // scalps never give less XP or a lower level, a count that reaches the cap (or needs a level
  // past the end of the table) is followed by counts that do too, and the target, once reached,
  // stays reached. So the first stopping candidate can be found by galloping and bisection, and
  // only the candidates whose captions reach the screen need their own projection.
  SearchResult Fast() {
    if (in_.ShowWorkingWindow && !in_.UseUpdateInterval) return Straight();  // every candidate is on screen

    // First stopping index: gallop 0, 1, 2, 4, ... then bisect between the last two.
    std::int64_t first = 0;
    ProjectionResult last = Project(0);
    if (!Stops(last)) {
      std::int64_t lo = 0;  // does not stop
      std::int64_t hi = 1;
      const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 4 / in_.Step;
      for (;;) {
        last = Project(hi);
        if (Stops(last) || hi >= limit) break;
        lo = hi;
        hi *= 2;
      }
      while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const ProjectionResult r = Project(mid);
        if (Stops(r)) {
          hi = mid;
          last = r;
        } else {
          lo = mid;
        }
      }
      first = hi;
    }

    if (in_.ShowWorkingWindow) {
      for (std::int64_t k = 0; k <= first; ++k) {
        const bool due = RepaintDue(k);
        if (!due && k != first) {
          if (StopBetweenRepaints()) return Stopped(k);
          continue;
        }
        if (k > 0) ShowLevelReached(Project(k - 1));
        ShowCandidate(k);
        if (due) {
          display_.RepaintNow();
          if (StopAtRepaint()) return Stopped(k);
        }
      }
    }
    return Finish(first, last);
  }

 private:
  const SearchInput& in_;
  SearchDisplay& display_;
  const std::string startText_;
  const std::string targetText_;
  std::int64_t projections_ = 0;
  std::chrono::steady_clock::time_point lastAsked_ = std::chrono::steady_clock::now();
  int stepsSinceClock_ = 0;
};

}  // namespace

SearchResult SearchScalpsNeeded(const SearchInput& input, SearchDisplay& display) {
  return Searcher(input, display).Fast();
}

SearchResult SearchScalpsNeededStraight(const SearchInput& input, SearchDisplay& display) {
  return Searcher(input, display).Straight();
}

}  // namespace quorvane
