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

  void apply(const CalculateWrites& w) override {
    if (!w.texts.empty()) afterMessage("a field was written");
    if (!w.captions.empty()) afterMessage("a result label was written");
    FakeCalculateView::apply(w);
  }
  void showMessage(const std::string& title, const std::string& text) override {
    afterMessage("a second message was shown");
    FakeCalculateView::showMessage(title, text);
  }
  WorkingWindow& openWorkingWindow() override {
    afterMessage("the Working window was opened");
    if (checkValue(CheckField::SearchTarget) != 1) fail("the Working window was opened without a search");
    if (checkValue(CheckField::HideWorkingWindow) != 0) fail("the Working window was opened although it is turned off");
    if (workingOpened > 0) fail("the Working window was opened twice in one press");
    return FakeCalculateView::openWorkingWindow();
  }
  void setLabel(WorkingLabel l, const std::string& c) override {
    afterMessage("a Working window label was written");
    if (!workingLoaded) fail("a Working window label was written while the window is closed");
    FakeCalculateView::setLabel(l, c);
  }
  void repaintNow() override {
    afterMessage("the Working window was repainted");
    if (!workingLoaded) fail("the Working window was repainted while it is closed");
    FakeCalculateView::repaintNow();
    if (repaintCount > repaintBudget) throw RepaintBudgetExceeded{};
  }
  void closeWorkingWindow() override {
    afterMessage("the Working window was closed");
    if (!workingLoaded) fail("the Working window was closed while it is closed");
    FakeCalculateView::closeWorkingWindow();
  }

  // Checks how the press ended against the level table it read. Returns the first broken rule,
  // or an empty text.
  std::string check(CalculateOutcome outcome, const LevelTable& table) {
    if (outcome == CalculateOutcome::Message) {
      if (messages.size() != 1) fail("the command ended with a message but showed " + std::to_string(messages.size()));
      if (!messages.empty()) {
        static const std::set<std::string> kTitles{"Error",    "No Data In Fields", "Please!!!",
                                                   "No data",  "Missing Data",      "Be patient",
                                                   "Cheater!", "No public data!",   "Oops"};
        if (!kTitles.count(messages[0].first)) fail("unknown message title \"" + messages[0].first + "\"");
        if (messages[0].second.empty()) fail("a message without text");
      }
      return problem;
    }
    if (!messages.empty()) fail("the command showed results after a message");
    if (workingLoaded) fail("the Working window stayed open after a search that found its answer");
    checkResults(table);
    return problem;
  }

  long long repaintBudget = std::numeric_limits<long long>::max();
  std::string problem;

 private:
  void fail(const std::string& what) {
    if (problem.empty()) problem = what;
  }
  void afterMessage(const char* what) {
    if (!messages.empty()) fail(std::string(what) + " after a message");
  }

  QuestPart chosenPart() const {
    for (int i = 0; i < 4; ++i) {
      if (optionSelected(OptionGroup::QuestPart, i)) return static_cast<QuestPart>(i + 1);
    }
    return QuestPart::None;
  }
  Side chosenSide() const {
    if (optionSelected(OptionGroup::Side, 0)) return Side::Good;
    if (optionSelected(OptionGroup::Side, 1)) return Side::Evil;
    return Side::None;
  }
  std::int64_t searchStep() const {
    for (int i = 0; i < 4; ++i) {
      if (optionSelected(OptionGroup::ZeroLeft, i)) return SearchStep(static_cast<ZeroLeft>(i), chosenSide());
    }
    return SearchStep(ZeroLeft::Rings, chosenSide());
  }

  // A whole number as the command shows it; nullopt when the text is not one.
  static std::optional<std::int64_t> whole(const std::string& text) {
    const FieldNumber n = ReadFieldNumber(text, false);
    if (n.status != NumberStatus::Ok || n.tooLarge) return std::nullopt;
    return n.whole;
  }
  // A number grouped by "." in threes ("-1.234.567"); nullopt when it is not grouped so.
  static std::optional<std::int64_t> grouped(const std::string& caption) {
    std::string plain;
    for (char c : caption) {
      if (c != '.') plain += c;
    }
    const auto value = whole(plain);
    if (!value || GroupDigits(FormatPlain(*value)) != caption) return std::nullopt;
    return value;
  }

  // A count owned as the press took it (empty is 0).
  std::int64_t owned(OwnedItem item) const { return whole(itemsOwned[static_cast<std::size_t>(item)]).value_or(0); }

  std::optional<std::int64_t> label(ResultLabel l, const char* name) {
    const auto value = whole(caption(l));
    if (!value) fail(std::string(name) + " shows \"" + caption(l) + "\", not a whole number");
    return value;
  }

  void checkResults(const LevelTable& table) {
    const auto startXp = whole(text(TextField::Xp));
    if (!startXp) return fail("results shown while the XP field holds \"" + text(TextField::Xp) + "\"");
    const std::optional<int> startLevel = table.findLevel(*startXp);
    if (!startLevel) return fail("results shown for an XP that lies in no level of the table");

    const auto level = whole(caption(ResultLabel::Level));
    const auto gained = grouped(caption(ResultLabel::XpGained));
    const auto exact = grouped(caption(ResultLabel::ExactXp));
    const auto toNext = grouped(caption(ResultLabel::XpToNextLevel));
    if (!level) return fail("Level Reached: shows \"" + caption(ResultLabel::Level) + "\"");
    if (!gained || !exact || !toNext) {
      return fail("an XP result is not grouped in threes: \"" + caption(ResultLabel::XpGained) + "\", \"" +
                  caption(ResultLabel::ExactXp) + "\", \"" + caption(ResultLabel::XpToNextLevel) + "\"");
    }
    if (*gained < 0) fail("the XP fell by " + std::to_string(-*gained));
    if (*exact != *startXp + *gained) fail("Exact XP is not the start XP plus the XP gained");
    if (*level < *startLevel) fail("the level fell");
    const std::optional<int> lies = table.findLevel(*exact);
    if (!lies || *lies != *level) {
      fail("Level Reached: " + std::to_string(*level) + " but the XP " + std::to_string(*exact) + " lies in level " +
           (lies ? std::to_string(*lies) : std::string("none")));
    }
    if (*toNext <= 0) fail("XP to next level: is not positive");
    if (*level >= 0 && *level < kLevelSlots - 1 && *toNext != table.levelXp(static_cast<int>(*level) + 1) - *exact) {
      fail("XP to next level: is not the next level's XP minus the exact XP");
    }

    // The scalps the results are for: those owned, or those the search found.
    const bool search = checkValue(CheckField::SearchTarget) == 1;
    // With an item owned, no scalps typed are 0 scalps.
    const std::string typed = text(TextField::Scalps);
    const bool none = AnyItemOwned(read()) && (typed.empty() || typed == "0");
    const auto scalps = whole(search ? caption(ResultLabel::ScalpsNeeded) : none ? "0" : typed);
    if (!scalps || *scalps < 0) return fail("the scalps of the results are not a count");

    const bool sell = checkValue(CheckField::SellMaces) == 1;
    const QuestPart part = chosenPart();
    const auto scalpsLeft = label(ResultLabel::ScalpsLeft, "Scalps remained");
    const auto macesLeft = label(ResultLabel::MacesLeft, "Maces remained");
    const auto beltsLeft = label(ResultLabel::BeltsLeft, "Belts remained");
    const auto booksLeft = label(ResultLabel::BooksLeft, "Books remained");
    const auto ringsLeft = label(ResultLabel::RingsLeft, "Rings remained");
    const auto finals = label(ResultLabel::FinalRewards, "Final Reward");
    if (!scalpsLeft || !macesLeft || !beltsLeft || !booksLeft || !ringsLeft || !finals) return;
    if (*scalpsLeft != *scalps % kScalpsPerMace) fail("Scalps remained is not the scalps left over");
    auto below = [&](std::int64_t value, std::int64_t bundle, const char* name) {
      if (value < 0 || value >= bundle) fail(std::string(name) + " is not below its bundle size");
    };
    if (*finals < 0 || *ringsLeft < 0 || *booksLeft < 0 || *beltsLeft < 0) fail("a negative item count");
    if (sell) {
      if (*macesLeft != 0 || *beltsLeft != 0 || *booksLeft != 0 || *ringsLeft != 0 || *finals != 0) {
        fail("items left over although the maces are sold");
      }
      const std::string gold = caption(ResultLabel::Gold);
      if (gold.size() < 5 || gold.compare(gold.size() - 4, 4, "M gp") != 0)
        fail("Gp from Maces: shows \"" + gold + "\"");
    } else {
      below(*macesLeft, kMacesPerBelt, "Maces remained");
      if (part != QuestPart::GiveMaces) below(*beltsLeft, kBeltsPerBook, "Belts remained");
      if (part == QuestPart::GiveBooks || part == QuestPart::GiveRings)
        below(*booksLeft, kBooksPerRing, "Books remained");
      if (part == QuestPart::GiveRings) below(*ringsLeft, RingsPerHandIn(chosenSide()), "Rings remained");
      if (part != QuestPart::GiveRings && *finals != 0) fail("final rewards without handing in rings");
    }

    if (search) checkSearch(table, *startXp, *startLevel, *scalps, *exact, static_cast<int>(*level));
  }

  void checkSearch(const LevelTable& table, Xp startXp, int startLevel, std::int64_t scalps, Xp exact, int level) {
    const FieldNumber target = ReadFieldNumber(text(TextField::TargetLevel), true);
    if (target.status != NumberStatus::Ok) return fail("a search ran without a target level");
    const int targetLevel = static_cast<int>(RoundHalfEven(target.value));
    if (level < targetLevel) fail("the search answer does not reach the target level");
    const std::int64_t step = searchStep();
    if (scalps % step != 0)
      fail("the search answer " + std::to_string(scalps) + " is not a multiple of " + std::to_string(step));

    ProjectionInput in{scalps,       startXp, startLevel, chosenPart(), checkValue(CheckField::SellMaces) == 1,
                       chosenSide(), &table};
    in.macesOwned = owned(OwnedItem::Maces);
    in.beltsOwned = owned(OwnedItem::Belts);
    in.booksOwned = owned(OwnedItem::Books);
    in.ringsOwned = owned(OwnedItem::Rings);
    const ProjectionResult found = RunProjection(in);
    if (found.outcome != ProjectionOutcome::Finished || found.currentXp != exact) {
      fail("the results shown are not those of the scalps the search found");
    }
    if (scalps >= step) {
      in.scalpsOwned = scalps - step;
      const ProjectionResult lower = RunProjection(in);
      if (lower.outcome != ProjectionOutcome::Finished || lower.currentXp >= table.levelXp(targetLevel)) {
        fail("one step fewer than the search answer already reaches the target level");
      }
    }
  }
};

}  // namespace quorvane
