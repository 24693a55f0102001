#pragma once

#include <cstdint>
#include <string>

#include "core/projection.h"

namespace quorvane {

// Which item the candidates of the search leave none of ("Search with 0 left:").
enum class ZeroLeft { Scalps, Maces, Belts, Books, Rings };

// Scalps that make exactly one item of the next kind after the chosen one: 5, 25, 75, 375, and
// for rings one ring hand-in, 750 on the Good side and 1125 otherwise.
std::int64_t SearchStep(ZeroLeft choice, Side side);

// What the search shows while it runs. The Working window calls are made only while that
// window is shown; the scalps found go to the main window.
class SearchDisplay {
 public:
  virtual ~SearchDisplay() = default;
  // The captions of one candidate: the level it starts from, the target level, its scalps count.
  virtual void setCandidate(const std::string& startLevel, const std::string& targetLevel,
                            const std::string& scalps) = 0;
  // "Level reached: N" for the candidate tried before.
  virtual void setLevelReached(const std::string& caption) = 0;
  // Brings the Working window's captions to the screen at once.
  virtual void repaintNow() = 0;
  // Closes the Working window once the answer is found.
  virtual void closeWindow() = 0;
  // The answer, written into the main window.
  virtual void setScalpsNeeded(const std::string& scalps) = 0;
  // Whether the user asked to stop the search (the Working window's close box or Esc). Asked
  // only while the Working window is shown: at its repaint points, and at least every
  // kStopCheckMs of work between them.
  virtual bool stopRequested() { return false; }
};

// The longest stretch of the search's work, in milliseconds, between two questions whether the
// user asked to stop, while the Working window is shown.
inline constexpr int kStopCheckMs = 50;

struct SearchInput {
  // Start level and XP, quest choices, table and the items owned, which take part in every
  // candidate's projection (ItemsOwnedFit holds); ScalpsOwned is not used.
  ProjectionInput start;
  int targetLevel = 0;  // below kLevelCap; the table has TargetLevel + 1
  std::int64_t step = 5;
  bool showWorkingWindow = true;
  bool useUpdateInterval = true;
  double updateInterval = 100;  // above 0 when UseUpdateInterval
};

enum class SearchOutcome { Found, StoppedAtLevelCap, MissingLevel, StoppedByUser };

struct SearchResult {
  SearchOutcome outcome = SearchOutcome::Found;
  std::int64_t scalps = 0;       // the candidate the search ended on (stopped: the one on screen)
  ProjectionResult projection;   // that candidate's projection
  std::int64_t projections = 0;  // projections run (for measurements)
};

// Tries 0, Step, 2 x Step, ... scalps and ends at the first candidate that reaches the target
// level (or stops at the level cap, or needs a level the table lacks). Only the projections
// whose results the user can see are run; the answer and everything displayed are those of
// trying every candidate in turn.
SearchResult SearchScalpsNeeded(const SearchInput& input, SearchDisplay& display);

// The same search, trying every candidate in turn: the reference the fast search must match.
SearchResult SearchScalpsNeededStraight(const SearchInput& input, SearchDisplay& display);

}  // namespace quorvane
