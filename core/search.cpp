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
        startText_(FormatPlain(static_cast<std::int64_t>(input.start.startLevel))),
        targetText_(FormatPlain(static_cast<std::int64_t>(input.targetLevel))) {}

  ProjectionResult project(std::int64_t index) {
    ProjectionInput p = in_.start;
    p.scalpsOwned = index * in_.step;
    ++projections_;
    return RunProjection(p);
  }

  // The target is reached when the XP is at or past the target level's start (or past the
  // next level's start).
  bool reached(const ProjectionResult& r) const {
    const LevelTable& t = *in_.start.table;
    return t.levelXp(in_.targetLevel) <= r.currentXp || r.currentXp > t.levelXp(in_.targetLevel + 1);
  }

  // A candidate ends the search when its projection reaches the target or cannot finish.
  bool stops(const ProjectionResult& r) const { return r.outcome != ProjectionOutcome::Finished || reached(r); }

  bool repaintDue(std::int64_t index) const {
    if (!in_.useUpdateInterval) return true;
    const double q = static_cast<double>(index * in_.step) / in_.updateInterval;
    return q == std::floor(q);
  }

  void showCandidate(std::int64_t index) {
    display_.setCandidate(startText_, targetText_, FormatPlain(index * in_.step));
  }

  void showLevelReached(const ProjectionResult& previous) {
    display_.setLevelReached("Level reached: " + FormatPlain(static_cast<std::int64_t>(previous.currentLevel)));
  }

  // Asks the display whether the user wants to stop: at every repaint point, and between them
  // once kStopCheckMs have passed since the last question (the clock is read every 1024 steps).
  bool stopAtRepaint() {
    lastAsked_ = std::chrono::steady_clock::now();
    stepsSinceClock_ = 0;
    return display_.stopRequested();
  }
  bool stopBetweenRepaints() {
    if (++stepsSinceClock_ < 1024) return false;
    stepsSinceClock_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastAsked_ < std::chrono::milliseconds(kStopCheckMs)) return false;
    return stopAtRepaint();
  }

  SearchResult stopped(std::int64_t index) {
    SearchResult result;
    result.outcome = SearchOutcome::StoppedByUser;
    result.scalps = index * in_.step;
    result.projections = projections_;
    return result;
  }

  SearchResult finish(std::int64_t index, const ProjectionResult& r) {
    SearchResult result;
    result.scalps = index * in_.step;
    result.projection = r;
    switch (r.outcome) {
      case ProjectionOutcome::StoppedAtLevelCap: result.outcome = SearchOutcome::StoppedAtLevelCap; break;
      case ProjectionOutcome::MissingLevel: result.outcome = SearchOutcome::MissingLevel; break;
      case ProjectionOutcome::Finished:
        result.outcome = SearchOutcome::Found;
        if (in_.showWorkingWindow) display_.closeWindow();
        display_.setScalpsNeeded(FormatPlain(result.scalps));
        break;
    }
    result.projections = projections_;
    return result;
  }

  // Every candidate in turn: captions, repaint when due, projection, stop test.
  SearchResult straight() {
    for (std::int64_t k = 0;; ++k) {
      if (in_.showWorkingWindow) {
        showCandidate(k);
        if (repaintDue(k)) {
          display_.repaintNow();
          if (stopAtRepaint()) return stopped(k);
        } else if (stopBetweenRepaints()) {
          return stopped(k);
        }
      }
      const ProjectionResult r = project(k);
      if (stops(r)) return finish(k, r);
      if (in_.showWorkingWindow) showLevelReached(r);
    }
  }

  // Whether a candidate stops the search is monotone in the scalps count: a projection plays
  // the bundles one after another, each worth level x factor XP at the level of that moment,
  // and the level rises whenever the XP reaches the next level's start. With more scalps every
  // stage has at least as many items (each stage's items are its made count, rising with the
  // scalps, plus the items owned, the same for every candidate; with the owned counts at most
  // kMaxItemsOwned no count wraps), so the run with more scalps repeats the run with fewer and
  // then hands in more: at every point its level and XP are at least as high. Hence more
  // scalps never give less XP or a lower level, a count that reaches the cap (or needs a level
  // past the end of the table) is followed by counts that do too, and the target, once reached,
  // stays reached. So the first stopping candidate can be found by galloping and bisection, and
  // only the candidates whose captions reach the screen need their own projection.
  SearchResult fast() {
    if (in_.showWorkingWindow && !in_.useUpdateInterval) return straight();  // every candidate is on screen

    // First stopping index: gallop 0, 1, 2, 4, ... then bisect between the last two.
    std::int64_t first = 0;
    ProjectionResult last = project(0);
    if (!stops(last)) {
      std::int64_t lo = 0;  // does not stop
      std::int64_t hi = 1;
      const std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 4 / in_.step;
      for (;;) {
        last = project(hi);
        if (stops(last) || hi >= limit) break;
        lo = hi;
        hi *= 2;
      }
      while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const ProjectionResult r = project(mid);
        if (stops(r)) {
          hi = mid;
          last = r;
        } else {
          lo = mid;
        }
      }
      first = hi;
    }

    if (in_.showWorkingWindow) {
      for (std::int64_t k = 0; k <= first; ++k) {
        const bool due = repaintDue(k);
        if (!due && k != first) {
          if (stopBetweenRepaints()) return stopped(k);
          continue;
        }
        if (k > 0) showLevelReached(project(k - 1));
        showCandidate(k);
        if (due) {
          display_.repaintNow();
          if (stopAtRepaint()) return stopped(k);
        }
      }
    }
    return finish(first, last);
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
  return Searcher(input, display).fast();
}

SearchResult SearchScalpsNeededStraight(const SearchInput& input, SearchDisplay& display) {
  return Searcher(input, display).straight();
}

}  // namespace quorvane
