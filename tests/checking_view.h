#pragma once

// A stand-in for the main window that watches one press of "Calculate" and checks what a player
// must be able to rely on: the command ends in exactly one message or in results, nothing is
// written after a message, the Working window is used only while it is open, and the results
// agree with the level table and the quest's rules. Qt-free: the fuzz targets use it as well
// as the Qt Test suites.

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/level_table.h"
#include "core/number_text.h"
#include "core/projection.h"
#include "core/search.h"
#include "command/calculate_command.h"
#include "tests/fake_calculate_view.h"

namespace quorvane {

// Thrown by CheckingView when a search has forced more repaints than the budget allows; lets a
// fuzzer cut short a search that is slow by design (the Working window repainted at every one
// of millions of candidates) without waiting for it.
struct RepaintBudgetExceeded {};

class CheckingView : public FakeCalculateView {
 public:
  CheckingView() { recordRepaints = false; }

  void SetText(TextField f, const std::string& t) override {
    AfterMessage("a field was written");
    FakeCalculateView::SetText(f, t);
  }
  void SetCaption(ResultLabel l, const std::string& c) override {
    AfterMessage("a result label was written");
    FakeCalculateView::SetCaption(l, c);
  }
  void ShowMessage(const std::string& title, const std::string& text) override {
    AfterMessage("a second message was shown");
    FakeCalculateView::ShowMessage(title, text);
  }
  void OpenWorkingWindow() override {
    AfterMessage("the Working window was opened");
    if (CheckValue(CheckField::SearchTarget) != 1) Fail("the Working window was opened without a search");
    if (CheckValue(CheckField::HideWorkingWindow) != 0) Fail("the Working window was opened although it is turned off");
    if (workingOpened > 0) Fail("the Working window was opened twice in one press");
    FakeCalculateView::OpenWorkingWindow();
  }
  void SetWorkingCaption(WorkingLabel l, const std::string& c) override {
    AfterMessage("a Working window label was written");
    if (!workingLoaded) Fail("a Working window label was written while the window is closed");
    FakeCalculateView::SetWorkingCaption(l, c);
  }
  void RepaintWorkingWindow() override {
    AfterMessage("the Working window was repainted");
    if (!workingLoaded) Fail("the Working window was repainted while it is closed");
    FakeCalculateView::RepaintWorkingWindow();
    if (repaintCount > repaintBudget) throw RepaintBudgetExceeded{};
  }
  void CloseWorkingWindow() override {
    AfterMessage("the Working window was closed");
    if (!workingLoaded) Fail("the Working window was closed while it is closed");
    FakeCalculateView::CloseWorkingWindow();
  }

  // Checks how the press ended against the level table it read. Returns the first broken rule,
  // or an empty text.
  std::string Check(CalculateOutcome outcome, const LevelTable& table) {
    if (outcome == CalculateOutcome::Message) {
      if (messages.size() != 1) Fail("the command ended with a message but showed " + std::to_string(messages.size()));
      if (!messages.empty()) {
        static const std::set<std::string> kTitles{"Error",        "No Data In Fields", "Please!!!",
                                                   "No data",      "Missing Data",      "Be patient",
                                                   "Cheater!",     "No public data!",   "Oops"};
        if (!kTitles.count(messages[0].first)) Fail("unknown message title \"" + messages[0].first + "\"");
        if (messages[0].second.empty()) Fail("a message without text");
      }
      return problem;
    }
    if (!messages.empty()) Fail("the command showed results after a message");
    if (workingLoaded) Fail("the Working window stayed open after a search that found its answer");
    CheckResults(table);
    return problem;
  }

  long long repaintBudget = std::numeric_limits<long long>::max();
  std::string problem;

 private:
  void Fail(const std::string& what) {
    if (problem.empty()) problem = what;
  }
  void AfterMessage(const char* what) {
    if (!messages.empty()) Fail(std::string(what) + " after a message");
  }

  QuestPart Part() const {
    for (int i = 0; i < 4; ++i) {
      if (OptionSelected(OptionGroup::QuestPart, i)) return static_cast<QuestPart>(i + 1);
    }
    return QuestPart::None;
  }
  Side ChosenSide() const {
    if (OptionSelected(OptionGroup::Side, 0)) return Side::Good;
    if (OptionSelected(OptionGroup::Side, 1)) return Side::Evil;
    return Side::None;
  }
  std::int64_t Step() const {
    for (int i = 0; i < 4; ++i) {
      if (OptionSelected(OptionGroup::ZeroLeft, i)) return SearchStep(static_cast<ZeroLeft>(i), ChosenSide());
    }
    return SearchStep(ZeroLeft::Rings, ChosenSide());
  }

  // A whole number as the command shows it; nullopt when the text is not one.
  static std::optional<std::int64_t> Whole(const std::string& text) {
    const FieldNumber n = ReadFieldNumber(text, false);
    if (n.status != NumberStatus::Ok || n.tooLarge) return std::nullopt;
    return n.whole;
  }
  // A number grouped by "." in threes ("-1.234.567"); nullopt when it is not grouped so.
  static std::optional<std::int64_t> Grouped(const std::string& caption) {
    std::string plain;
    for (char c : caption) {
      if (c != '.') plain += c;
    }
    const auto value = Whole(plain);
    if (!value || GroupDigits(FormatPlain(*value)) != caption) return std::nullopt;
    return value;
  }

  std::optional<std::int64_t> Label(ResultLabel l, const char* name) {
    const auto value = Whole(Caption(l));
    if (!value) Fail(std::string(name) + " shows \"" + Caption(l) + "\", not a whole number");
    return value;
  }

  void CheckResults(const LevelTable& table) {
    const auto startXp = Whole(Text(TextField::Xp));
    if (!startXp) return Fail("results shown while the XP field holds \"" + Text(TextField::Xp) + "\"");
    const std::optional<int> startLevel = table.FindLevel(*startXp);
    if (!startLevel) return Fail("results shown for an XP that lies in no level of the table");

    const auto level = Whole(Caption(ResultLabel::Level));
    const auto gained = Grouped(Caption(ResultLabel::XpGained));
    const auto exact = Grouped(Caption(ResultLabel::ExactXp));
    const auto toNext = Grouped(Caption(ResultLabel::XpToNextLevel));
    if (!level) return Fail("Level Reached: shows \"" + Caption(ResultLabel::Level) + "\"");
    if (!gained || !exact || !toNext) {
      return Fail("an XP result is not grouped in threes: \"" + Caption(ResultLabel::XpGained) + "\", \"" +
                  Caption(ResultLabel::ExactXp) + "\", \"" + Caption(ResultLabel::XpToNextLevel) + "\"");
    }
    if (*gained < 0) Fail("the XP fell by " + std::to_string(-*gained));
    if (*exact != *startXp + *gained) Fail("Exact XP is not the start XP plus the XP gained");
    if (*level < *startLevel) Fail("the level fell");
    const std::optional<int> lies = table.FindLevel(*exact);
    if (!lies || *lies != *level) {
      Fail("Level Reached: " + std::to_string(*level) + " but the XP " + std::to_string(*exact) + " lies in level " +
           (lies ? std::to_string(*lies) : std::string("none")));
    }
    if (*toNext <= 0) Fail("XP to next level: is not positive");
    if (*level >= 0 && *level < kLevelSlots - 1 && *toNext != table.LevelXP(static_cast<int>(*level) + 1) - *exact) {
      Fail("XP to next level: is not the next level's XP minus the exact XP");
    }

    // The scalps the results are for: those owned, or those the search found.
    const bool search = CheckValue(CheckField::SearchTarget) == 1;
    const auto scalps = Whole(search ? Caption(ResultLabel::ScalpsNeeded) : Text(TextField::Scalps));
    if (!scalps || *scalps < 0) return Fail("the scalps of the results are not a count");

    const bool sell = CheckValue(CheckField::SellMaces) == 1;
    const QuestPart part = Part();
    const auto scalpsLeft = Label(ResultLabel::ScalpsLeft, "Scalps remained");
    const auto macesLeft = Label(ResultLabel::MacesLeft, "Maces remained");
    const auto beltsLeft = Label(ResultLabel::BeltsLeft, "Belts remained");
    const auto booksLeft = Label(ResultLabel::BooksLeft, "Books remained");
    const auto ringsLeft = Label(ResultLabel::RingsLeft, "Rings remained");
    const auto finals = Label(ResultLabel::FinalRewards, "Final Reward");
    if (!scalpsLeft || !macesLeft || !beltsLeft || !booksLeft || !ringsLeft || !finals) return;
    if (*scalpsLeft != *scalps % kScalpsPerMace) Fail("Scalps remained is not the scalps left over");
    auto below = [&](std::int64_t value, std::int64_t bundle, const char* name) {
      if (value < 0 || value >= bundle) Fail(std::string(name) + " is not below its bundle size");
    };
    if (*finals < 0 || *ringsLeft < 0 || *booksLeft < 0 || *beltsLeft < 0) Fail("a negative item count");
    if (sell) {
      if (*macesLeft != 0 || *beltsLeft != 0 || *booksLeft != 0 || *ringsLeft != 0 || *finals != 0) {
        Fail("items left over although the maces are sold");
      }
      const std::string gold = Caption(ResultLabel::Gold);
      if (gold.size() < 5 || gold.compare(gold.size() - 4, 4, "M gp") != 0) Fail("Gp from Maces: shows \"" + gold + "\"");
    } else {
      below(*macesLeft, kMacesPerBelt, "Maces remained");
      if (part != QuestPart::GiveMaces) below(*beltsLeft, kBeltsPerBook, "Belts remained");
      if (part == QuestPart::GiveBooks || part == QuestPart::GiveRings) below(*booksLeft, kBooksPerRing, "Books remained");
      if (part == QuestPart::GiveRings) below(*ringsLeft, RingsPerHandIn(ChosenSide()), "Rings remained");
      if (part != QuestPart::GiveRings && *finals != 0) Fail("final rewards without handing in rings");
    }

    if (search) CheckSearch(table, *startXp, *startLevel, *scalps, *exact, static_cast<int>(*level));
  }

  void CheckSearch(const LevelTable& table, Xp startXp, int startLevel, std::int64_t scalps, Xp exact, int level) {
    const FieldNumber target = ReadFieldNumber(Text(TextField::TargetLevel), true);
    if (target.status != NumberStatus::Ok) return Fail("a search ran without a target level");
    const int targetLevel = static_cast<int>(RoundHalfEven(target.value));
    if (level < targetLevel) Fail("the search answer does not reach the target level");
    const std::int64_t step = Step();
    if (scalps % step != 0) Fail("the search answer " + std::to_string(scalps) + " is not a multiple of " + std::to_string(step));

    ProjectionInput in{scalps, startXp, startLevel, Part(), CheckValue(CheckField::SellMaces) == 1, ChosenSide(), &table};
    const ProjectionResult found = RunProjection(in);
    if (found.Outcome != ProjectionOutcome::Finished || found.CurrentXP != exact) {
      Fail("the results shown are not those of the scalps the search found");
    }
    if (scalps >= step) {
      in.ScalpsOwned = scalps - step;
      const ProjectionResult lower = RunProjection(in);
      if (lower.Outcome != ProjectionOutcome::Finished || lower.CurrentXP >= table.LevelXP(targetLevel)) {
        Fail("one step fewer than the search answer already reaches the target level");
      }
    }
  }
};

}  // namespace quorvane
