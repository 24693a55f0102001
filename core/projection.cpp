#include "core/projection.h"

#include <algorithm>
#include <utility>

namespace quorvane {

std::int64_t RingsPerHandIn(Side side) {
  switch (side) {
    case Side::Good: return 2;
    case Side::Evil: return 3;
    case Side::None: break;
  }
  return 0;
}

std::int64_t RingXPFactor(Side side) {
  switch (side) {
    case Side::Good: return 4000;
    case Side::Evil: return 6000;
    case Side::None: break;
  }
  return 0;
}

bool ItemsOwnedFit(const ProjectionInput& input) {
  for (const std::int64_t owned : {input.macesOwned, input.beltsOwned, input.booksOwned, input.ringsOwned}) {
    if (owned < 0 || owned > kMaxItemsOwned) return false;
  }
  return true;
}

namespace {

std::int64_t Owned(std::int64_t count) { return std::clamp<std::int64_t>(count, 0, kMaxItemsOwned); }

// What each stage works on: the items made by the stage before plus those owned.
struct StageItems {
  std::int64_t scalps, maces, belts, books, rings;
};

StageItems ItemsOf(const ProjectionInput& input, const ProjectionResult& made) {
  return {input.scalpsOwned < 0 ? 0 : input.scalpsOwned, made.macesMade + Owned(input.macesOwned),
          made.beltsMade + Owned(input.beltsOwned), made.booksMade + Owned(input.booksOwned),
          made.ringsMade + Owned(input.ringsOwned)};
}

// The made counts, each from the items of the stage before, and the items of every stage.
StageItems MakeItems(const ProjectionInput& input, ProjectionResult& r) {
  StageItems items{};
  items.scalps = input.scalpsOwned < 0 ? 0 : input.scalpsOwned;
  r.macesMade = items.scalps / kScalpsPerMace;
  items.maces = r.macesMade + Owned(input.macesOwned);
  r.beltsMade = items.maces / kMacesPerBelt;
  items.belts = r.beltsMade + Owned(input.beltsOwned);
  r.booksMade = items.belts / kBeltsPerBook;
  items.books = r.booksMade + Owned(input.booksOwned);
  r.ringsMade = items.books / kBooksPerRing;
  items.rings = r.ringsMade + Owned(input.ringsOwned);
  return items;
}

// Where the steps go when no one asked for them: nowhere, at no cost.
struct NoSteps {
  void operator()(const HandInStep&) {}
};

struct StepList {
  std::vector<HandInStep> rows;
  void operator()(const HandInStep& step) { rows.push_back(step); }
};

template <typename Steps>
struct Run {
  const LevelTable& table;
  int level;
  Xp xp;
  Steps& record;
  std::int64_t steps = 0;
  ProjectionOutcome outcome = ProjectionOutcome::Finished;
  int missing = 0;

  // One stage: hands in `items` in bundles of `perHandIn`, each worth level x `factor` XP.
  // Every step either raises the level by one, using exactly the bundles the next level
  // needs (none when the XP already reaches it), or hands in the whole bundles left and ends
  // the stage. Returns false when the projection must stop.
  bool stage(HandInItem item, std::int64_t items, std::int64_t perHandIn, std::int64_t factor) {
    if (perHandIn <= 0 || factor <= 0) return true;  // no side chosen: nothing to hand in
    for (;;) {
      ++steps;
      if (level >= kLevelCap) {
        outcome = ProjectionOutcome::StoppedAtLevelCap;
        return false;
      }
      if (level < 1 || !table.hasLevel(level + 1)) {
        outcome = ProjectionOutcome::MissingLevel;
        missing = level < 1 ? level : level + 1;
        return false;
      }
      const Xp needed = table.levelXp(level + 1) - xp;
      const std::int64_t perHandInXp = static_cast<std::int64_t>(level) * factor;
      // Exact ceiling of needed / perHandInXp, never below 0.
      const std::int64_t handIns = needed <= 0 ? 0 : (needed - 1) / perHandInXp + 1;
      const std::int64_t itemsNeeded = handIns * perHandIn;
      if (itemsNeeded > items) {
        const std::int64_t last = items / perHandIn;
        xp += last * perHandInXp;
        if (last > 0)
          record(HandInStep{item, last, last * perHandIn, perHandInXp, last * perHandInXp, level, level, xp});
        return true;
      }
      xp += handIns * perHandInXp;
      ++level;
      items -= itemsNeeded;
      record(HandInStep{item, handIns, itemsNeeded, perHandInXp, handIns * perHandInXp, level - 1, level, xp});
    }
  }
};

template <typename Steps>
ProjectionResult Project(const ProjectionInput& input, Steps& record) {
  ProjectionResult result;
  const StageItems items = MakeItems(input, result);

  static const LevelTable kEmpty;
  Run<Steps> run{input.table != nullptr ? *input.table : kEmpty, input.startLevel, input.startXp, record};

  auto finish = [&]() {
    result.currentLevel = run.level;
    result.currentXp = run.xp;
    result.outcome = run.outcome;
    result.missingLevel = run.missing;
    result.stageSteps = run.steps;
    return result;
  };

  if (!run.stage(HandInItem::Scalps, items.scalps, kScalpsPerMace, 1000)) return finish();
  if (input.sellMaces) return finish();
  if (!run.stage(HandInItem::Maces, items.maces, kMacesPerBelt, 1000)) return finish();
  if (input.part == QuestPart::GiveMaces) return finish();
  if (!run.stage(HandInItem::Belts, items.belts, kBeltsPerBook, 3000)) return finish();
  if (input.part != QuestPart::GiveBooks && input.part != QuestPart::GiveRings) return finish();
  if (!run.stage(HandInItem::Books, items.books, kBooksPerRing, 3750)) return finish();
  if (input.part != QuestPart::GiveRings) return finish();
  run.stage(HandInItem::Rings, items.rings, RingsPerHandIn(input.side), RingXPFactor(input.side));
  return finish();
}

}  // namespace

ProjectionResult RunProjection(const ProjectionInput& input) {
  NoSteps none;
  return Project(input, none);
}

std::vector<HandInStep> ProjectionSteps(const ProjectionInput& input) {
  StepList list;
  Project(input, list);
  return std::move(list.rows);
}

ItemResults DeriveItemResults(const ProjectionInput& input, const ProjectionResult& r) {
  ItemResults left;
  const StageItems items = ItemsOf(input, r);
  left.scalpsRemained = items.scalps % kScalpsPerMace;
  // Items of the stages not run stay as owned.
  left.beltsRemained = Owned(input.beltsOwned);
  left.booksRemained = Owned(input.booksOwned);
  left.ringsRemained = Owned(input.ringsOwned);
  if (input.sellMaces) {
    left.goldMillions = static_cast<double>(items.maces) * kGoldPerMace;
    return left;
  }
  left.macesRemained = items.maces % kMacesPerBelt;
  if (input.part == QuestPart::GiveMaces) {
    left.beltsRemained = items.belts;
    return left;
  }
  left.beltsRemained = items.belts % kBeltsPerBook;
  switch (input.part) {
    case QuestPart::GiveBelts: left.booksRemained = items.books; break;
    case QuestPart::GiveBooks:
      left.booksRemained = items.books % kBooksPerRing;
      left.ringsRemained = items.rings;
      break;
    case QuestPart::GiveRings: {
      left.booksRemained = items.books % kBooksPerRing;
      const std::int64_t per = RingsPerHandIn(input.side);
      left.ringsRemained = per > 0 ? items.rings % per : 0;
      left.finalRewards = per > 0 ? items.rings / per : 0;
      break;
    }
    case QuestPart::GiveMaces:
    case QuestPart::None: break;
  }
  return left;
}

}  // namespace quorvane
