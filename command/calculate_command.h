#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "command/calculate_view.h"
#include "command/messages.h"
#include "command/view_fields.h"
#include "core/projection.h"

namespace quorvane {

// The level table a press reads, and the name its messages give it: the file to edit, where the
// links of the path lead (the platform layer follows them). A path given alone names itself.
struct LevelTableFile {
  LevelTableFile(std::string file) : path(file), shownPath(std::move(file)) {}
  LevelTableFile(std::string file, std::string shown) : path(std::move(file)), shownPath(std::move(shown)) {}
  std::string path;
  std::string shownPath;
  // The file as read already, for several presses that are to read it once; none: each press reads it.
  std::shared_ptr<const TableLoad> read;
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
  ItemResults items;                                       // what is left of each item, the final rewards, the gold
  std::optional<std::int64_t> scalpsNeeded;                // a search's answer
  std::array<std::int64_t, kOwnedItemCount> itemsOwned{};  // the counts read, in the order of kOwnedItems
};

struct CalculateReport {
  CalculateOutcome outcome = CalculateOutcome::Message;
  std::optional<CalculateResults> results;  // set when Outcome is Results
  std::optional<ShownMessage> message;      // the message the press showed
};

// One press of "Calculate": reads the view's fields once, checks them in order, reads the level
// table, then projects the scalps owned, or searches for the scalps needed, and writes the
// results. The first failing check shows its message and ends the command. What the press writes
// reaches the view before each message box, when the Working window opens, and at its end.
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
  std::optional<ShownMessage> message;                   // the message the plan showed
};

// A press that searches the scalps needed for every level from the one above the start up to
// the level in "Lvl to reach:" (read whether or not that box is ticked). The checks are those of
// one search for that level; then each level is searched in turn, every row exactly what a press
// searching for that level alone gives. The first search that ends with a message (the level
// cap, a level the table lacks) shows it and ends the plan, keeping the rows before it. The
// level table is read once.
PlanReport RunPlan(CalculateView& view, const LevelTableFile& table);

// The same press and plan on fields that no window shows: nothing is written anywhere, the search
// runs without the Working window, and the message is only in the report.
CalculateReport RunCalculate(const CalculateInput& input, const LevelTableFile& table);
PlanReport RunPlan(const CalculateInput& input, const LevelTableFile& table);

// The hand-in steps behind the results of a press on `input`: Calculate's checks, then the
// projection of the scalps owned, or, with "Lvl to reach:" ticked, the search (without the Working
// window) and the projection of its answer. Nothing is shown or written.
struct StepsReport {
  CalculateOutcome outcome = CalculateOutcome::Message;
  std::optional<CalculateResults> results;  // set when Outcome is Results
  std::vector<HandInStep> steps;            // those of the projection behind the results
  std::optional<ShownMessage> message;      // the message the press showed
};
StepsReport RunSteps(const CalculateInput& input, const LevelTableFile& table);
// The same in `view`: a press of "Calculate" as RunCalculate(view, table) makes it, with its steps.
StepsReport RunSteps(CalculateView& view, const LevelTableFile& table);

// The message Calculate shows for `text` as the count of `item` owned, none when it accepts it:
// empty or blank is 0; otherwise a whole number from 0 to kMaxItemsOwned.
std::optional<ShownMessage> CheckItemOwnedText(OwnedItem item, const std::string& text);
// Whether any count of `input` is other than empty or 0 (counts Calculate refuses included).
bool AnyItemOwned(const CalculateInput& input);
// "Maces Owned: 2", "Belts Owned: 0", ... one line for each item, when any is owned (none
// otherwise): each count as Calculate reads it (an unreadable one as typed). "Copy Results" and
// quorvane-cli's text results end with these lines.
std::vector<std::string> ItemsOwnedLines(const CalculateInput& input);
// The same lines for the counts a press read.
std::vector<std::string> ItemsOwnedLines(const CalculateResults& results);

// The captions of the result labels, in the order the window writes them.
std::string GroupedXp(std::int64_t xp);
std::string GoldCaption(double goldMillions);

}  // namespace quorvane
