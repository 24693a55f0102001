#include "command/calculate_command.h"

#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/level_table.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "core/search.h"

namespace quorvane {

namespace {

constexpr int kDefaultStartLevel = 50;
constexpr Xp kLowestXp = 25'227'500;         // level 50, which the quest requires
constexpr Xp kHighestXp = 94'564'821'930;    // the last XP the calculator projects from

struct Message {
  const char* title;
  const char* text;
};

constexpr Message kNoQuestOptions{"Error", "You have not chosen any quest options."};
constexpr Message kNoXpTyped{"Error", "You have not typed any XP."};
constexpr Message kNoLevelTyped{"Error", "You have not typed your level."};
constexpr Message kLevelTooHigh{"Error", "No support for higher than 190lvl."};
constexpr Message kNoXpData{"No Data In Fields", "You have not typed any XP."};
constexpr Message kNoScalps{"No Data In Fields", "You have not typed any number of scalps."};
constexpr Message kTooFewScalps{"Please!!!", "Perhaps you should consider collecting some scalps first."};
constexpr Message kNoSide{"No data", "Check your desired karma orientation."};
constexpr Message kNoTarget{"Missing Data", "Put a number in the Requested LVL."};
constexpr Message kLevelCap{"Be patient", "Cannot check above 190lvl."};
constexpr Message kBelowLevel50{"Cheater!", "Who are you kidding? 50lvl req for SH :-)"};
constexpr Message kAboveKnownXp{"No public data!", "Sorry, this prog calculates only until 190lvl (for now)"};
constexpr Message kTargetBelow{"Oops", "You want to loose XP? Jesus!"};
constexpr Message kTargetReached{"Oops", "You are already there! 0 scalps needed!"};
constexpr Message kLevelLetters{"No Data In Fields", "The Level field has letters, not numbers."};
constexpr Message kXpLetters{"No Data In Fields", "The XP field has letters, not numbers."};

const char* FieldName(TextField field) {
  switch (field) {
    case TextField::Xp: return "XP";
    case TextField::Level: return "Level";
    case TextField::Scalps: return "Scalps";
    case TextField::TargetLevel: return "Requested LVL";
    case TextField::UpdateInterval: return "Update window after:";
  }
  return "";
}

std::string TableMessage(const TableError& error, const std::string& path) {
  const std::string line = "Line " + std::to_string(error.line) + " of " + path;
  switch (error.problem) {
    case TableProblem::Missing: return "The level table " + path + " is missing.";
    case TableProblem::Unreadable: return "The level table " + path + " cannot be read.";
    case TableProblem::Empty: return "The level table " + path + " holds no levels.";
    case TableProblem::NotANumber: return line + " holds something that is not a whole number.";
    case TableProblem::EmptyField: return line + " has an empty field.";
    case TableProblem::LevelNumberRange: return line + " has a level number outside -32768 to 32767.";
    case TableProblem::TooLarge: return line + " has an XP value above " + FormatPlain(kMaxTableXp) + ".";
    case TableProblem::Negative: return line + " has a negative XP value.";
    case TableProblem::NotIncreasing: return line + " has an XP value that is not above the one of the level before.";
    case TableProblem::IncompleteRecord: return line + " has a level number without its XP.";
  }
  return "The level table " + path + " cannot be used.";
}

// The state of one press.
class Command {
 public:
  Command(CalculateView& view, std::string tablePath)
      : v_(view), tablePath_(std::move(tablePath)), path_(LevelTableShownPath(tablePath_)) {}

  CalculateOutcome Run();
  const CalculateResults& results() const { return results_; }
  // Makes the press search every level from the one above the start up to the target level,
  // adding a row to `rows` for each.
  void PlanInto(std::vector<PlanRow>& rows) { plan_ = &rows; }

 private:
  CalculateOutcome Fail(const Message& m) { return Fail(m.title, m.text); }
  CalculateOutcome Fail(const std::string& title, const std::string& text) {
    v_.ShowMessage(title, text);
    return CalculateOutcome::Message;
  }
  CalculateOutcome MissingLevel(int level) {
    return Fail("Error", "The level table " + path_ + " has no XP for level " + std::to_string(level) + ".");
  }

  bool Empty(TextField f) const { return v_.Text(f).empty(); }
  bool EmptyOrZero(TextField f) const {
    const std::string t = v_.Text(f);
    return t.empty() || t == "0";
  }
  bool Ticked(CheckField c) const { return v_.CheckValue(c) == 1; }
  bool Selected(OptionGroup g, int i) const { return v_.OptionSelected(g, i); }

  // Reads a field as a number; when it is not one, shows the message that names the field.
  std::optional<FieldNumber> Read(TextField field, bool allowFraction) {
    const FieldNumber n = ReadFieldNumber(v_.Text(field), allowFraction);
    const std::string name = FieldName(field);
    switch (n.status) {
      case NumberStatus::Ok: return n;
      case NumberStatus::Letters: Fail("No Data In Fields", "The " + name + " field has letters, not numbers."); break;
      case NumberStatus::Empty:
      case NumberStatus::Malformed: Fail("No Data In Fields", "The " + name + " field does not hold a number."); break;
      case NumberStatus::Fraction: Fail("Error", "The " + name + " field must hold a whole number."); break;
    }
    return std::nullopt;
  }

  QuestPart Part() const {
    if (Selected(OptionGroup::QuestPart, 0)) return QuestPart::GiveMaces;
    if (Selected(OptionGroup::QuestPart, 1)) return QuestPart::GiveBelts;
    if (Selected(OptionGroup::QuestPart, 2)) return QuestPart::GiveBooks;
    if (Selected(OptionGroup::QuestPart, 3)) return QuestPart::GiveRings;
    return QuestPart::None;
  }
  Side ChosenSide() const {
    if (Selected(OptionGroup::Side, 0)) return Side::Good;
    if (Selected(OptionGroup::Side, 1)) return Side::Evil;
    return Side::None;
  }
  ZeroLeft ZeroLeftChoice() const {
    for (int i = 0; i < 4; ++i) {
      if (Selected(OptionGroup::ZeroLeft, i)) return static_cast<ZeroLeft>(i);
    }
    return ZeroLeft::Rings;
  }

  CalculateOutcome Search();
  CalculateOutcome Plan();
  CalculateOutcome Project();
  void ZeroItemCaptions();
  CalculateOutcome ShowResults(const ProjectionInput& in, const ProjectionResult& r);

  CalculateView& v_;
  const std::string tablePath_;  // the file read
  const std::string path_;       // the file the messages name
  std::vector<PlanRow>* plan_ = nullptr;
  LevelTable table_;
  bool xpMode_ = true;
  bool levelKnown_ = false;
  int currentLevel_ = kDefaultStartLevel;
  Xp startXp_ = 0;
  int targetLevel_ = 0;
  CalculateResults results_;
};

CalculateOutcome Command::Run() {
  // 1. Something to do with the scalps.
  if (!Ticked(CheckField::SellMaces) && Part() == QuestPart::None) return Fail(kNoQuestOptions);

  // 2. The level table, read afresh at every press.
  const TableLoad load = LoadLevelTable(tablePath_);
  if (!load.ok()) return Fail("Error", TableMessage(*load.error, path_));
  table_ = load.table;

  // 3. The field of the entry mode must not be empty.
  xpMode_ = Selected(OptionGroup::Entry, 0);
  if (xpMode_ && Empty(TextField::Xp)) return Fail(kNoXpTyped);
  if (Selected(OptionGroup::Entry, 1) && Empty(TextField::Level)) return Fail(kNoLevelTyped);

  if (xpMode_) {
    // 4. The level the XP lies in, written into the level field.
    const auto xp = Read(TextField::Xp, false);
    if (!xp) return CalculateOutcome::Message;
    if (const std::optional<int> found = table_.FindLevel(xp->whole)) {
      currentLevel_ = *found;
      levelKnown_ = true;
      v_.SetText(TextField::Level, FormatPlain(static_cast<std::int64_t>(*found)));
    }
  } else {
    // 5. The XP at which the typed level begins, written into the XP field.
    const auto level = Read(TextField::Level, false);
    if (!level) return CalculateOutcome::Message;
    if (level->whole > kMaxRecords) return Fail(kLevelTooHigh);
    if (level->whole < 1) return Fail("Error", "The Level field must hold a level of 1 or more.");
    currentLevel_ = static_cast<int>(level->whole);
    levelKnown_ = true;
    if (table_.HasLevel(currentLevel_)) {
      v_.SetText(TextField::Xp, FormatPlain(table_.XPForLevel(currentLevel_)));
    } else if (currentLevel_ < LevelCap) {
      return MissingLevel(currentLevel_);
    }
  }

  // 6. No level above 189 (in XP mode also an old level left in the hidden field). An old text
  // there that is no whole number is not the player's input for this press: the command ends
  // later, at the XP that matches no level, unless an earlier check ends it first.
  if (!Empty(TextField::Level)) {
    if (xpMode_ && !levelKnown_) {
      const FieldNumber old = ReadFieldNumber(v_.Text(TextField::Level), false);
      if (old.status == NumberStatus::Ok && old.whole > LevelCap - 1) return Fail(kLevelTooHigh);
    } else {
      const auto level = Read(TextField::Level, false);
      if (!level) return CalculateOutcome::Message;
      if (level->whole > LevelCap - 1) return Fail(kLevelTooHigh);
    }
  }

  // 7.-9. XP and scalps typed.
  if (EmptyOrZero(TextField::Xp)) return Fail(kNoXpData);
  const bool search = plan_ || Ticked(CheckField::SearchTarget);
  std::int64_t scalps = 0;
  if (!search) {
    if (EmptyOrZero(TextField::Scalps)) return Fail(kNoScalps);
    const auto owned = Read(TextField::Scalps, false);
    if (!owned) return CalculateOutcome::Message;
    if (owned->whole < 5) return Fail(kTooFewScalps);
    if (owned->tooLarge) return Fail("Error", "The Scalps field holds a number too large to calculate with.");
    scalps = owned->whole;
  }

  // 10. The rings need a side.
  if (Selected(OptionGroup::QuestPart, 3) && ChosenSide() == Side::None) return Fail(kNoSide);

  // 11. The level to reach.
  if (search) {
    if (EmptyOrZero(TextField::TargetLevel)) return Fail(kNoTarget);
    const auto target = Read(TextField::TargetLevel, true);
    if (!target) return CalculateOutcome::Message;
    const double rounded = RoundHalfEven(target->value);
    if (rounded >= LevelCap) return Fail(kLevelCap);
    targetLevel_ = rounded < 0 ? -1 : static_cast<int>(rounded);
  }

  // 12.-13. The XP the calculator works from.
  const auto xp = Read(TextField::Xp, false);
  if (!xp) return CalculateOutcome::Message;
  if (xp->whole < kLowestXp) return Fail(kBelowLevel50);
  if (xp->whole > kHighestXp) return Fail(kAboveKnownXp);
  startXp_ = xp->whole;
  if (!levelKnown_) return Fail("Error", "The XP in the XP field matches no level of the level table " + path_ + ".");

  if (search) {
    // 14. A level above the present one.
    if (currentLevel_ > targetLevel_) return Fail(kTargetBelow);
    if (currentLevel_ == targetLevel_) return Fail(kTargetReached);
    return plan_ ? Plan() : Search();
  }

  // 16. The projection of the scalps owned.
  ProjectionInput in{scalps, startXp_, currentLevel_, Part(), Ticked(CheckField::SellMaces), ChosenSide(), &table_};
  ZeroItemCaptions();
  const ProjectionResult r = RunProjection(in);
  if (r.Outcome == ProjectionOutcome::StoppedAtLevelCap) return Fail(kLevelCap);
  if (r.Outcome == ProjectionOutcome::MissingLevel) return MissingLevel(r.MissingLevel);
  return ShowResults(in, r);
}

void Command::ZeroItemCaptions() {
  for (ResultLabel label : {ResultLabel::ScalpsLeft, ResultLabel::MacesLeft, ResultLabel::BeltsLeft,
                            ResultLabel::BooksLeft, ResultLabel::Gold, ResultLabel::RingsLeft, ResultLabel::FinalRewards}) {
    v_.SetCaption(label, "0");
  }
}

// Passes the search's display calls on to the windows.
class SearchWindows : public SearchDisplay {
 public:
  explicit SearchWindows(CalculateView& view) : v_(view) {}
  void SetCandidate(const std::string& start, const std::string& target, const std::string& scalps) override {
    v_.SetWorkingCaption(WorkingLabel::StartLevel, start);
    v_.SetWorkingCaption(WorkingLabel::TargetLevel, target);
    v_.SetWorkingCaption(WorkingLabel::Scalps, scalps);
  }
  void SetLevelReached(const std::string& caption) override {
    v_.SetWorkingCaption(WorkingLabel::LevelReached, caption);
  }
  void RepaintNow() override { v_.RepaintWorkingWindow(); }
  void CloseWindow() override { v_.CloseWorkingWindow(); }
  void SetScalpsNeeded(const std::string& scalps) override { v_.SetCaption(ResultLabel::ScalpsNeeded, scalps); }
  bool StopRequested() override { return v_.WorkingWindowStopRequested(); }

 private:
  CalculateView& v_;
};

CalculateOutcome Command::Search() {
  // The search reads the target level's start and the next level's.
  if (!table_.HasLevel(targetLevel_ + 1)) return MissingLevel(table_.HasLevel(targetLevel_) ? targetLevel_ + 1 : targetLevel_);

  SearchInput in;
  in.ShowWorkingWindow = v_.CheckValue(CheckField::HideWorkingWindow) == 0;
  in.UseUpdateInterval = Ticked(CheckField::UpdateAtInterval);
  if (in.UseUpdateInterval) {
    const auto interval = Read(TextField::UpdateInterval, true);
    if (!interval) return CalculateOutcome::Message;
    if (!(interval->value > 0)) {
      return Fail("Error", "The Update window after: field must hold a number of scalps above 0.");
    }
    in.UpdateInterval = interval->value;
  }

  if (in.ShowWorkingWindow) v_.OpenWorkingWindow();
  in.Step = SearchStep(ZeroLeftChoice(), ChosenSide());

  // Letters at the end of the level or XP field.
  const std::string level = v_.Text(TextField::Level);
  if (!level.empty() && static_cast<unsigned char>(level.back()) > '9') return Fail(kLevelLetters);
  const std::string xp = v_.Text(TextField::Xp);
  if (!xp.empty() && static_cast<unsigned char>(xp.back()) > '9') return Fail(kXpLetters);

  in.start = ProjectionInput{0, startXp_, currentLevel_, Part(), Ticked(CheckField::SellMaces), ChosenSide(), &table_};
  in.TargetLevel = targetLevel_;
  ZeroItemCaptions();
  SearchWindows windows(v_);
  const SearchResult found = SearchScalpsNeeded(in, windows);
  switch (found.Outcome) {
    case SearchOutcome::StoppedAtLevelCap: return Fail(kLevelCap);
    case SearchOutcome::MissingLevel: return MissingLevel(found.Projection.MissingLevel);
    case SearchOutcome::StoppedByUser:
      v_.CloseWorkingWindow();
      return CalculateOutcome::Stopped;
    case SearchOutcome::Found: break;
  }
  ProjectionInput shown = in.start;
  shown.ScalpsOwned = found.Scalps;
  results_.ScalpsNeeded = found.Scalps;
  return ShowResults(shown, found.Projection);
}

// One search per level, each from the same checked start: every level between the start and the
// target passes the checks of the target exactly as the target does, so each row is what a
// press searching for that level alone gives.
CalculateOutcome Command::Plan() {
  const int last = targetLevel_;
  for (int level = currentLevel_ + 1; level <= last; ++level) {
    targetLevel_ = level;
    results_ = CalculateResults{};
    const CalculateOutcome outcome = Search();
    if (outcome != CalculateOutcome::Results) return outcome;
    plan_->push_back({level, results_});
  }
  return CalculateOutcome::Results;
}

CalculateOutcome Command::ShowResults(const ProjectionInput& in, const ProjectionResult& r) {
  CalculateResults& out = results_;
  out.Items = DeriveItemResults(in, r);
  const ItemResults& items = out.Items;
  out.LevelReached = r.CurrentLevel;
  // A level typed and not changed is shown as typed.
  const bool typedLevelKept = !xpMode_ && r.CurrentLevel == currentLevel_;
  out.LevelShown = typedLevelKept ? v_.Text(TextField::Level) : FormatPlain(static_cast<std::int64_t>(r.CurrentLevel));
  out.XpGained = r.CurrentXP - startXp_;
  out.ExactXp = startXp_ + out.XpGained;
  out.XpToNextLevel = table_.LevelXP(r.CurrentLevel + 1) - r.CurrentXP;

  v_.SetCaption(ResultLabel::Level, out.LevelShown);
  v_.SetCaption(ResultLabel::XpGained, FormatPlain(out.XpGained));
  v_.SetCaption(ResultLabel::ExactXp, FormatPlain(out.ExactXp));
  v_.SetCaption(ResultLabel::XpToNextLevel, FormatPlain(out.XpToNextLevel));
  v_.SetCaption(ResultLabel::ScalpsLeft, FormatPlain(items.ScalpsRemained));
  v_.SetCaption(ResultLabel::XpGained, GroupedXp(out.XpGained));
  v_.SetCaption(ResultLabel::ExactXp, GroupedXp(out.ExactXp));
  v_.SetCaption(ResultLabel::XpToNextLevel, GroupedXp(out.XpToNextLevel));

  if (in.SellMaces) {
    v_.SetCaption(ResultLabel::MacesLeft, "0");
    v_.SetCaption(ResultLabel::Gold, GoldCaption(items.GoldMillions));
  } else {
    v_.SetCaption(ResultLabel::MacesLeft, FormatPlain(items.MacesRemained));
    v_.SetCaption(ResultLabel::BeltsLeft, FormatPlain(items.BeltsRemained));
    if (in.Part == QuestPart::GiveBelts || in.Part == QuestPart::GiveBooks || in.Part == QuestPart::GiveRings) {
      v_.SetCaption(ResultLabel::BooksLeft, FormatPlain(items.BooksRemained));
    }
    if (in.Part == QuestPart::GiveBooks || in.Part == QuestPart::GiveRings) {
      v_.SetCaption(ResultLabel::RingsLeft, FormatPlain(items.RingsRemained));
    }
    v_.SetCaption(ResultLabel::FinalRewards, FormatPlain(items.FinalRewards));
  }
  return CalculateOutcome::Results;
}

}  // namespace

std::string LevelTableShownPath(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path shown = path;
  std::error_code error;
  // Follows the links one by one, so that a link to a missing file still names that file.
  for (int links = 0; links < 40 && fs::is_symlink(shown, error); ++links) {
    const fs::path target = fs::read_symlink(shown, error);
    if (error) break;
    shown = target.is_absolute() ? target : shown.parent_path() / target;
  }
  return shown == fs::path(path) ? path : shown.lexically_normal().string();
}

std::string GroupedXp(std::int64_t xp) { return GroupDigits(FormatPlain(xp)); }

std::string GoldCaption(double goldMillions) { return FormatPlain(goldMillions) + "M gp"; }

CalculateReport RunCalculate(CalculateView& view, const std::string& tablePath) {
  Command command(view, tablePath);
  CalculateReport report;
  report.Outcome = command.Run();
  if (report.Outcome == CalculateOutcome::Results) report.Results = command.results();
  return report;
}

PlanReport RunPlan(CalculateView& view, const std::string& tablePath) {
  Command command(view, tablePath);
  PlanReport report;
  command.PlanInto(report.Rows);
  report.Outcome = command.Run();
  return report;
}

CalculateOutcome ExecuteCalculate(CalculateView& view, const std::string& tablePath) {
  return RunCalculate(view, tablePath).Outcome;
}

}  // namespace quorvane
