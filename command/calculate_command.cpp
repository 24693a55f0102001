#include "command/calculate_command.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "command/messages.h"
#include "core/level_table.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "core/search.h"

namespace quorvane {

namespace {

constexpr int kDefaultStartLevel = 50;
constexpr Xp kLowestXp = 25'227'500;       // level 50, which the quest requires
constexpr Xp kHighestXp = 94'564'821'930;  // the last XP the calculator projects from
constexpr std::int64_t kFewestScalps = 5;  // fewer owned scalps are not worth a projection

// A count of an item owned as Calculate reads it: its value, or the message that refuses it.
struct OwnedCount {
  std::int64_t value = 0;
  std::optional<ShownMessage> message;
};

OwnedCount ReadOwnedCount(OwnedItem item, const std::string& text) {
  const auto refused = [item](const FieldMessage& m) {
    return OwnedCount{0, ShownMessage{m.title, OwnedItemText(item, m)}};
  };
  const FieldNumber n = ReadFieldNumber(text, false);
  switch (n.status) {
    case NumberStatus::Ok: break;
    case NumberStatus::Empty: return OwnedCount{};
    case NumberStatus::Letters: return refused(kFieldHasLetters);
    case NumberStatus::Malformed: return refused(kFieldNotANumber);
    case NumberStatus::Fraction: return refused(kFieldNotWhole);
  }
  if (n.whole < 0) return refused(kFieldNegative);
  if (n.tooLarge || n.whole > kMaxItemsOwned) return refused(kFieldTooLarge);
  return OwnedCount{n.whole, std::nullopt};
}

// ---- The command. ---------------------------------------------------------------------------

// The result of one check: a value ends the press with that outcome, none lets it go on.
using Step = std::optional<CalculateOutcome>;

// What the press does once its checks pass: one projection or search, or a search per level.
enum class Press { Calculate, Plan };

CalculateReport Ended(CalculateOutcome outcome) { return CalculateReport{outcome, std::nullopt, std::nullopt}; }
CalculateReport Finished(CalculateResults results) {
  return CalculateReport{CalculateOutcome::Results, std::move(results), std::nullopt};
}

// Passes the search's display calls on to the Working window it opened (none when that window is
// not shown); the scalps found join the main window's writes.
class SearchWindows : public SearchDisplay {
 public:
  SearchWindows(CalculateView* view, WorkingWindow* window, CalculateWrites& writes)
      : view_(view), window_(window), writes_(writes) {}
  void setCandidate(const std::string& start, const std::string& target, const std::string& scalps) override {
    if (!window_) return;
    window_->setLabel(WorkingLabel::StartLevel, start);
    window_->setLabel(WorkingLabel::TargetLevel, target);
    window_->setLabel(WorkingLabel::Scalps, scalps);
  }
  void setLevelReached(const std::string& caption) override {
    if (window_) window_->setLabel(WorkingLabel::LevelReached, caption);
  }
  void repaintNow() override {
    if (window_) window_->repaintNow();
  }
  void closeWindow() override {
    if (view_ && window_) view_->closeWorkingWindow();
  }
  void setScalpsNeeded(const std::string& scalps) override { writes_.setCaption(ResultLabel::ScalpsNeeded, scalps); }
  bool stopRequested() override { return window_ && window_->stopRequested(); }

 private:
  CalculateView* view_;
  WorkingWindow* window_;
  CalculateWrites& writes_;
};

// The state of one press: the fields as read at its start, with what the press writes into them,
// and the writes that have not reached the window yet. They reach it where the user can see the
// window: before a message box, when the Working window opens, and at the end of the press.
class Command {
 public:
  // A press in `view`, or, without one, a press on `input` that writes nowhere and keeps its
  // message in its report.
  Command(CalculateView* view, CalculateInput input, const LevelTableFile& table)
      : view_(view), in_(std::move(input)), tablePath_(table.path), path_(table.shownPath), read_(table.read) {}

  // One press: the checks, then the projection of the scalps owned or the search for the
  // scalps needed.
  CalculateReport run();
  // A press that searches every level from the one above the start up to the target level.
  PlanReport plan();
  // The hand-in steps of the projection behind the results of run(); none without results.
  std::vector<HandInStep> steps() const {
    return projected_ ? ProjectionSteps(*projected_) : std::vector<HandInStep>{};
  }

 private:
  // The checks of every press, in order; the first that ends the press gives its outcome.
  Step check(Press press);
  Step checkQuestChosen();
  Step loadTable();
  Step checkEntryTyped();
  Step settleStartFromXp();
  Step settleStartFromLevel();
  Step checkLevelBelowCap();
  Step checkXpAndScalps(Press press);
  Step readItemsOwned();
  Step checkSide();
  Step readTargetLevel();
  Step checkXpRange();
  Step checkTargetAboveStart();

  CalculateOutcome searchEveryLevel(std::vector<PlanRow>& rows);
  CalculateReport project();
  CalculateReport search(int targetLevel);
  void zeroItemCaptions();
  CalculateResults showResults(const ProjectionInput& in, const ProjectionResult& r);
  // The projection of `scalps` from the checked start, with the items owned.
  ProjectionInput projectionInput(std::int64_t scalps) const {
    ProjectionInput in{scalps, startXp_, currentLevel_, part(), ticked(CheckField::SellMaces), chosenSide(), &table_};
    in.macesOwned = owned_[0];
    in.beltsOwned = owned_[1];
    in.booksOwned = owned_[2];
    in.ringsOwned = owned_[3];
    return in;
  }

  // Brings the writes made so far to the window.
  void flush() {
    if (view_ && !writes_.empty()) view_->apply(writes_);
    writes_ = CalculateWrites{};
  }
  void setText(TextField f, const std::string& text) {
    in_.text(f) = text;
    writes_.setText(f, text);
  }
  void setCaption(ResultLabel label, const std::string& caption) { writes_.setCaption(label, caption); }

  CalculateOutcome fail(const Message& m) { return fail(m.title, m.text); }
  CalculateOutcome fail(const std::string& title, const std::string& text) {
    flush();
    if (!message_) message_ = ShownMessage{title, text};
    if (view_) view_->showMessage(title, text);
    return CalculateOutcome::Message;
  }
  CalculateOutcome missingLevel(int level) { return fail(kErrorTitle, MissingLevelText(path_, level)); }

  bool empty(TextField f) const { return in_.text(f).empty(); }
  bool emptyOrZero(TextField f) const {
    const std::string& t = in_.text(f);
    return t.empty() || t == "0";
  }
  bool ticked(CheckField c) const { return in_.check(c) == 1; }
  bool selected(OptionGroup g, int i) const { return in_.selected(g) == i; }

  // Reads a field as a number; when it is not one, shows the message that names the field.
  std::optional<FieldNumber> read(TextField field) {
    const FieldNumber n = ReadFieldNumber(in_.text(field), TakesFraction(field));
    switch (n.status) {
      case NumberStatus::Ok: return n;
      case NumberStatus::Letters: fail(kFieldHasLetters.title, FieldText(field, kFieldHasLetters)); break;
      case NumberStatus::Empty:
      case NumberStatus::Malformed: fail(kFieldNotANumber.title, FieldText(field, kFieldNotANumber)); break;
      case NumberStatus::Fraction: fail(kFieldNotWhole.title, FieldText(field, kFieldNotWhole)); break;
    }
    return std::nullopt;
  }

  QuestPart part() const {
    if (selected(OptionGroup::QuestPart, 0)) return QuestPart::GiveMaces;
    if (selected(OptionGroup::QuestPart, 1)) return QuestPart::GiveBelts;
    if (selected(OptionGroup::QuestPart, 2)) return QuestPart::GiveBooks;
    if (selected(OptionGroup::QuestPart, 3)) return QuestPart::GiveRings;
    return QuestPart::None;
  }
  Side chosenSide() const {
    if (selected(OptionGroup::Side, 0)) return Side::Good;
    if (selected(OptionGroup::Side, 1)) return Side::Evil;
    return Side::None;
  }
  ZeroLeft zeroLeftChoice() const {
    for (int i = 0; i < 4; ++i) {
      if (selected(OptionGroup::ZeroLeft, i)) return static_cast<ZeroLeft>(i);
    }
    return ZeroLeft::Rings;
  }

  CalculateView* const view_;                    // none: the press writes nowhere
  CalculateInput in_;                            // the fields, with what the press wrote into them
  CalculateWrites writes_;                       // what has not reached the window yet
  std::optional<ShownMessage> message_;          // the message shown
  const std::string tablePath_;                  // the file read
  const std::string path_;                       // the file the messages name
  const std::shared_ptr<const TableLoad> read_;  // the file as read already, if it was
  // What the checks settle, each set once, by the step named.
  LevelTable table_;                                   // LoadTable
  bool xpMode_ = true;                                 // CheckEntryTyped
  bool levelKnown_ = false;                            // SettleStartFromXp / SettleStartFromLevel
  int currentLevel_ = kDefaultStartLevel;              // SettleStartFromXp / SettleStartFromLevel
  bool search_ = false;                                // CheckXpAndScalps
  std::array<std::int64_t, kOwnedItemCount> owned_{};  // ReadItemsOwned
  bool anyOwned_ = false;                              // ReadItemsOwned
  std::int64_t scalps_ = 0;                            // CheckXpAndScalps, when not searching
  int targetLevel_ = 0;                                // ReadTargetLevel, when searching
  Xp startXp_ = 0;                                     // CheckXpRange
  std::optional<ProjectionInput> projected_;           // the projection behind the results shown
};

Step Command::check(Press press) {
  if (const Step end = checkQuestChosen()) return end;
  if (const Step end = loadTable()) return end;
  if (const Step end = checkEntryTyped()) return end;
  if (const Step end = xpMode_ ? settleStartFromXp() : settleStartFromLevel()) return end;
  if (const Step end = checkLevelBelowCap()) return end;
  if (const Step end = checkXpAndScalps(press)) return end;
  if (const Step end = checkSide()) return end;
  if (const Step end = readTargetLevel()) return end;
  if (const Step end = checkXpRange()) return end;
  return checkTargetAboveStart();
}

CalculateReport Command::run() {
  CalculateReport report;
  if (const Step end = check(Press::Calculate))
    report = Ended(*end);
  else
    report = search_ ? search(targetLevel_) : project();
  flush();
  report.message = message_;
  return report;
}

// One search per level, each from the same checked start: every level between the start and the
// target passes the checks of the target exactly as the target does, so each row is what a
// press searching for that level alone gives.
PlanReport Command::plan() {
  PlanReport plan;
  plan.outcome = searchEveryLevel(plan.rows);
  flush();
  plan.message = message_;
  return plan;
}

CalculateOutcome Command::searchEveryLevel(std::vector<PlanRow>& rows) {
  if (const Step end = check(Press::Plan)) return *end;
  for (int level = currentLevel_ + 1; level <= targetLevel_; ++level) {
    CalculateReport found = search(level);
    if (found.outcome != CalculateOutcome::Results) return found.outcome;
    rows.push_back({level, std::move(*found.results)});
  }
  return CalculateOutcome::Results;
}

// 1. Something to do with the scalps.
Step Command::checkQuestChosen() {
  if (!ticked(CheckField::SellMaces) && part() == QuestPart::None) return fail(kNoQuestOptions);
  return std::nullopt;
}

// 2. The level table, read afresh at every press (unless read already for this one).
Step Command::loadTable() {
  const TableLoad load = read_ ? *read_ : LoadLevelTable(tablePath_);
  if (!load.ok()) return fail(kErrorTitle, TableMessage(*load.error, path_));
  table_ = load.table;
  return std::nullopt;
}

// 3. The field of the entry mode must not be empty.
Step Command::checkEntryTyped() {
  xpMode_ = selected(OptionGroup::Entry, 0);
  if (xpMode_ && empty(TextField::Xp)) return fail(kNoXpTyped);
  if (selected(OptionGroup::Entry, 1) && empty(TextField::Level)) return fail(kNoLevelTyped);
  return std::nullopt;
}

// 4. The level the XP lies in, written into the level field.
Step Command::settleStartFromXp() {
  const auto xp = read(TextField::Xp);
  if (!xp) return CalculateOutcome::Message;
  if (const std::optional<int> found = table_.findLevel(xp->whole)) {
    currentLevel_ = *found;
    levelKnown_ = true;
    setText(TextField::Level, FormatPlain(static_cast<std::int64_t>(*found)));
  }
  return std::nullopt;
}

// 5. The XP at which the typed level begins, written into the XP field.
Step Command::settleStartFromLevel() {
  const auto level = read(TextField::Level);
  if (!level) return CalculateOutcome::Message;
  if (level->whole > kMaxRecords) return fail(kLevelTooHigh);
  if (level->whole < 1) return fail(kLevelBelowOne);
  currentLevel_ = static_cast<int>(level->whole);
  levelKnown_ = true;
  if (table_.hasLevel(currentLevel_)) {
    setText(TextField::Xp, FormatPlain(table_.xpForLevel(currentLevel_)));
  } else if (currentLevel_ < kLevelCap) {
    return missingLevel(currentLevel_);
  }
  return std::nullopt;
}

// 6. No level above 189 (in XP mode also an old level left in the hidden field). An old text
// there that is no whole number is not the player's input for this press: the command ends
// later, at the XP that matches no level, unless an earlier check ends it first.
Step Command::checkLevelBelowCap() {
  if (empty(TextField::Level)) return std::nullopt;
  if (xpMode_ && !levelKnown_) {
    const FieldNumber old = ReadFieldNumber(in_.level, false);
    if (old.status == NumberStatus::Ok && old.whole > kLevelCap - 1) return fail(kLevelTooHigh);
    return std::nullopt;
  }
  const auto level = read(TextField::Level);
  if (!level) return CalculateOutcome::Message;
  if (level->whole > kLevelCap - 1) return fail(kLevelTooHigh);
  return std::nullopt;
}

// 7.-9. XP and scalps typed. A plan always searches; a press searches when the box is ticked.
// The items owned are read before the scalps, which they may stand in for: with any item owned,
// no scalps are a projection too.
Step Command::checkXpAndScalps(Press press) {
  if (emptyOrZero(TextField::Xp)) return fail(kNoXpData);
  if (const Step end = readItemsOwned()) return end;
  search_ = press == Press::Plan || ticked(CheckField::SearchTarget);
  if (search_) return std::nullopt;
  if (emptyOrZero(TextField::Scalps)) return anyOwned_ ? std::nullopt : Step(fail(kNoScalps));
  const auto owned = read(TextField::Scalps);
  if (!owned) return CalculateOutcome::Message;
  if (anyOwned_ && owned->whole < 0) return fail(kFieldNegative.title, FieldText(TextField::Scalps, kFieldNegative));
  if (!anyOwned_ && owned->whole < kFewestScalps) return fail(kTooFewScalps);
  if (owned->tooLarge) return fail(kScalpsTooLarge);
  scalps_ = owned->whole;
  return std::nullopt;
}

// The items owned, in the order of the chain, each a whole number from 0 up.
Step Command::readItemsOwned() {
  for (const OwnedItem item : kOwnedItems) {
    const OwnedCount count = ReadOwnedCount(item, in_.owned(item));
    if (count.message) return fail(count.message->title, count.message->text);
    owned_[static_cast<std::size_t>(item)] = count.value;
    anyOwned_ = anyOwned_ || count.value != 0;
  }
  return std::nullopt;
}

// 10. The rings need a side.
Step Command::checkSide() {
  if (selected(OptionGroup::QuestPart, 3) && chosenSide() == Side::None) return fail(kNoSide);
  return std::nullopt;
}

// 11. The level to reach.
Step Command::readTargetLevel() {
  if (!search_) return std::nullopt;
  if (emptyOrZero(TextField::TargetLevel)) return fail(kNoTarget);
  const auto target = read(TextField::TargetLevel);
  if (!target) return CalculateOutcome::Message;
  const double rounded = RoundHalfEven(target->value);
  if (rounded >= kLevelCap) return fail(kAboveLevelCap);
  targetLevel_ = rounded < 0 ? -1 : static_cast<int>(rounded);
  return std::nullopt;
}

// 12.-13. The XP the calculator works from.
Step Command::checkXpRange() {
  const auto xp = read(TextField::Xp);
  if (!xp) return CalculateOutcome::Message;
  if (xp->whole < kLowestXp) return fail(kBelowLevel50);
  if (xp->whole > kHighestXp) return fail(kAboveKnownXp);
  startXp_ = xp->whole;
  if (!levelKnown_) return fail(kErrorTitle, XpMatchesNoLevelText(path_));
  return std::nullopt;
}

// 14. A level above the present one.
Step Command::checkTargetAboveStart() {
  if (!search_) return std::nullopt;
  if (currentLevel_ > targetLevel_) return fail(kTargetBelow);
  if (currentLevel_ == targetLevel_) return fail(kTargetReached);
  return std::nullopt;
}

void Command::zeroItemCaptions() {
  for (ResultLabel label :
       {ResultLabel::ScalpsLeft, ResultLabel::MacesLeft, ResultLabel::BeltsLeft, ResultLabel::BooksLeft,
        ResultLabel::Gold, ResultLabel::RingsLeft, ResultLabel::FinalRewards}) {
    setCaption(label, "0");
  }
}

// 15. The search for the scalps needed to reach `targetLevel`.
CalculateReport Command::search(int targetLevel) {
  // The search reads the target level's start and the next level's.
  if (!table_.hasLevel(targetLevel + 1)) {
    return Ended(missingLevel(table_.hasLevel(targetLevel) ? targetLevel + 1 : targetLevel));
  }

  SearchInput in;
  // Without a window to run in, the search runs without the Working window.
  in.showWorkingWindow = view_ && in_.hideWorkingWindow == 0;
  in.useUpdateInterval = ticked(CheckField::UpdateAtInterval);
  if (in.useUpdateInterval) {
    const auto interval = read(TextField::UpdateInterval);
    if (!interval) return Ended(CalculateOutcome::Message);
    if (!(interval->value > 0)) return Ended(fail(kUpdateIntervalNotAbove0));
    in.updateInterval = interval->value;
  }

  WorkingWindow* working = nullptr;
  if (in.showWorkingWindow) {
    flush();  // the main window is repainted while the Working window is shown
    working = &view_->openWorkingWindow();
  }
  in.step = SearchStep(zeroLeftChoice(), chosenSide());

  // Letters at the end of the level or XP field.
  const std::string& level = in_.level;
  if (!level.empty() && static_cast<unsigned char>(level.back()) > '9') return Ended(fail(kLevelLetters));
  const std::string& xp = in_.xp;
  if (!xp.empty() && static_cast<unsigned char>(xp.back()) > '9') return Ended(fail(kXpLetters));

  in.start = projectionInput(0);
  in.targetLevel = targetLevel;
  SearchWindows windows(view_, working, writes_);
  const SearchResult found = SearchScalpsNeeded(in, windows);
  // The items' zeros, which a projection writes at its start, come once the search has ended
  // (no window is repainted meanwhile but the Working window): a search the user stopped leaves
  // the Results frame exactly as it was before the press.
  if (found.outcome == SearchOutcome::StoppedByUser) {
    view_->closeWorkingWindow();
    return Ended(CalculateOutcome::Stopped);
  }
  zeroItemCaptions();
  switch (found.outcome) {
    case SearchOutcome::StoppedAtLevelCap: return Ended(fail(kAboveLevelCap));
    case SearchOutcome::MissingLevel: return Ended(missingLevel(found.projection.missingLevel));
    case SearchOutcome::StoppedByUser:
    case SearchOutcome::Found: break;
  }
  ProjectionInput shown = in.start;
  shown.scalpsOwned = found.scalps;
  CalculateResults results = showResults(shown, found.projection);
  results.scalpsNeeded = found.scalps;
  projected_ = shown;
  return Finished(std::move(results));
}

// 16. The projection of the scalps owned.
CalculateReport Command::project() {
  const ProjectionInput in = projectionInput(scalps_);
  zeroItemCaptions();
  const ProjectionResult r = RunProjection(in);
  if (r.outcome == ProjectionOutcome::StoppedAtLevelCap) return Ended(fail(kAboveLevelCap));
  if (r.outcome == ProjectionOutcome::MissingLevel) return Ended(missingLevel(r.missingLevel));
  projected_ = in;
  return Finished(showResults(in, r));
}

CalculateResults Command::showResults(const ProjectionInput& in, const ProjectionResult& r) {
  CalculateResults out;
  out.items = DeriveItemResults(in, r);
  out.itemsOwned = owned_;
  const ItemResults& items = out.items;
  out.levelReached = r.currentLevel;
  // A level typed and not changed is shown as typed.
  const bool typedLevelKept = !xpMode_ && r.currentLevel == currentLevel_;
  out.levelShown = typedLevelKept ? in_.level : FormatPlain(static_cast<std::int64_t>(r.currentLevel));
  out.xpGained = r.currentXp - startXp_;
  out.exactXp = startXp_ + out.xpGained;
  out.xpToNextLevel = table_.levelXp(r.currentLevel + 1) - r.currentXp;

  setCaption(ResultLabel::Level, out.levelShown);
  setCaption(ResultLabel::XpGained, GroupedXp(out.xpGained));
  setCaption(ResultLabel::ExactXp, GroupedXp(out.exactXp));
  setCaption(ResultLabel::XpToNextLevel, GroupedXp(out.xpToNextLevel));
  setCaption(ResultLabel::ScalpsLeft, FormatPlain(items.scalpsRemained));

  if (in.sellMaces) {
    setCaption(ResultLabel::MacesLeft, "0");
    setCaption(ResultLabel::Gold, GoldCaption(items.goldMillions));
  } else {
    setCaption(ResultLabel::MacesLeft, FormatPlain(items.macesRemained));
    setCaption(ResultLabel::BeltsLeft, FormatPlain(items.beltsRemained));
    if (in.part == QuestPart::GiveBelts || in.part == QuestPart::GiveBooks || in.part == QuestPart::GiveRings) {
      setCaption(ResultLabel::BooksLeft, FormatPlain(items.booksRemained));
    }
    if (in.part == QuestPart::GiveBooks || in.part == QuestPart::GiveRings) {
      setCaption(ResultLabel::RingsLeft, FormatPlain(items.ringsRemained));
    }
    setCaption(ResultLabel::FinalRewards, FormatPlain(items.finalRewards));
  }
  return out;
}

}  // namespace

std::string GroupedXp(std::int64_t xp) { return GroupDigits(FormatPlain(xp)); }

std::string GoldCaption(double goldMillions) { return FormatPlain(goldMillions) + "M gp"; }

CalculateReport RunCalculate(CalculateView& view, const LevelTableFile& table) {
  return Command(&view, view.read(), table).run();
}

PlanReport RunPlan(CalculateView& view, const LevelTableFile& table) {
  return Command(&view, view.read(), table).plan();
}

CalculateReport RunCalculate(const CalculateInput& input, const LevelTableFile& table) {
  return Command(nullptr, input, table).run();
}

PlanReport RunPlan(const CalculateInput& input, const LevelTableFile& table) {
  return Command(nullptr, input, table).plan();
}

namespace {

StepsReport Steps(Command command) {
  CalculateReport report = command.run();
  return StepsReport{report.outcome, std::move(report.results), command.steps(), std::move(report.message)};
}

std::string OwnedLine(OwnedItem item, const std::string& count) {
  return std::string(OwnedItemName(item)) + ": " + count;
}

}  // namespace

StepsReport RunSteps(const CalculateInput& input, const LevelTableFile& table) {
  return Steps(Command(nullptr, input, table));
}

StepsReport RunSteps(CalculateView& view, const LevelTableFile& table) {
  return Steps(Command(&view, view.read(), table));
}

std::optional<ShownMessage> CheckItemOwnedText(OwnedItem item, const std::string& text) {
  return ReadOwnedCount(item, text).message;
}

bool AnyItemOwned(const CalculateInput& input) {
  return std::any_of(kOwnedItems, kOwnedItems + kOwnedItemCount, [&](OwnedItem item) {
    const OwnedCount count = ReadOwnedCount(item, input.owned(item));
    return count.message || count.value != 0;
  });
}

std::vector<std::string> ItemsOwnedLines(const CalculateInput& input) {
  std::vector<std::string> lines;
  if (!AnyItemOwned(input)) return lines;
  for (const OwnedItem item : kOwnedItems) {
    const OwnedCount count = ReadOwnedCount(item, input.owned(item));
    lines.push_back(OwnedLine(item, count.message ? input.owned(item) : FormatPlain(count.value)));
  }
  return lines;
}

std::vector<std::string> ItemsOwnedLines(const CalculateResults& results) {
  std::vector<std::string> lines;
  const auto& owned = results.itemsOwned;
  if (std::all_of(owned.begin(), owned.end(), [](std::int64_t n) { return n == 0; })) return lines;
  for (const OwnedItem item : kOwnedItems)
    lines.push_back(OwnedLine(item, FormatPlain(owned[static_cast<std::size_t>(item)])));
  return lines;
}

CalculateOutcome ExecuteCalculate(CalculateView& view, const LevelTableFile& table) {
  return RunCalculate(view, table).outcome;
}

}  // namespace quorvane
