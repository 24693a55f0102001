#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command/view_fields.h"
#include "core/projection.h"

namespace quorvane {

// What the Calculate command needs of the window it runs in. The main window implements it on
// its controls; tests and the command-line front end implement it on plain values.
class CalculateView {
 public:
  virtual ~CalculateView() = default;

  virtual std::string text(TextField field) const = 0;
  virtual void setText(TextField field, const std::string& text) = 0;
  // 0 unticked, 1 ticked.
  virtual int checkValue(CheckField box) const = 0;
  virtual bool optionSelected(OptionGroup group, int index) const = 0;
  virtual void setCaption(ResultLabel label, const std::string& caption) = 0;
  // A modal message box with an OK button; returns when it is closed.
  virtual void showMessage(const std::string& title, const std::string& text) = 0;

  // The Working window: load it if needed, show it without owner and repaint it at once.
  virtual void openWorkingWindow() = 0;
  virtual void setWorkingCaption(WorkingLabel label, const std::string& caption) = 0;
  // Brings the Working window's captions to the screen at once.
  virtual void repaintWorkingWindow() = 0;
  virtual void closeWorkingWindow() = 0;
  // Whether the user asked the running search to stop (the Working window's close box or Esc):
  // handles what the user did meanwhile without running any handler.
  virtual bool workingWindowStopRequested() { return false; }
};

// The level table a press reads, and the name its messages give it: the file to edit, where the
// links of the path lead (the platform layer follows them). A path given alone names itself.
struct LevelTableFile {
  LevelTableFile(std::string file) : path(file), shownPath(std::move(file)) {}
  LevelTableFile(std::string file, std::string shown) : path(std::move(file)), shownPath(std::move(shown)) {}
  std::string path;
  std::string shownPath;
};

// How one press of "Calculate" ended: with results, with a message, or stopped by the user while
// it searched (the Working window closed, nothing further written).
enum class CalculateOutcome { Results, Message, Stopped };

// The results of a press that ended with results, as numbers; the window shows them as captions.
struct CalculateResults {
  std::int64_t levelReached = 0;
  std::string levelShown;  // the level as the window shows it: a typed level that did not change stays as typed
  std::int64_t exactXp = 0;
  std::int64_t xpGained = 0;
  std::int64_t xpToNextLevel = 0;
  ItemResults items;                         // what is left of each item, the final rewards, the gold
  std::optional<std::int64_t> scalpsNeeded;  // a search's answer
};

struct CalculateReport {
  CalculateOutcome outcome = CalculateOutcome::Message;
  std::optional<CalculateResults> results;  // set when Outcome is Results
};

// One press of "Calculate": checks the fields in order, reads the level table,
// then projects the scalps owned, or searches for the scalps needed, and writes the results.
// The first failing check shows its message and ends the command.
CalculateOutcome ExecuteCalculate(CalculateView& view, const LevelTableFile& table);
// The same press, with its results as numbers.
CalculateReport RunCalculate(CalculateView& view, const LevelTableFile& table);

// One row of a plan: the level searched for and the search's results (ScalpsNeeded set).
struct PlanRow {
  int level = 0;
  CalculateResults results;
};

struct PlanReport {
  CalculateOutcome outcome = CalculateOutcome::Message;  // Results when every level was found
  std::vector<PlanRow> rows;                             // the levels found before any message
};

// A press that searches the scalps needed for every level from the one above the start up to
// the level in "Lvl to reach:" (read whether or not that box is ticked). The checks are those of
// one search for that level; then each level is searched in turn, every row exactly what a press
// searching for that level alone gives. The first search that ends with a message (the level
// cap, a level the table lacks) shows it and ends the plan, keeping the rows before it. The
// level table is read once.
PlanReport RunPlan(CalculateView& view, const LevelTableFile& table);

// The captions of the result labels, in the order the window writes them.
std::string GroupedXp(std::int64_t xp);
std::string GoldCaption(double goldMillions);

}  // namespace quorvane
