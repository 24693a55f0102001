#include "core/projection.h"

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

namespace {

struct Run {
  const LevelTable& table;
  int level;
  Xp xp;
  std::int64_t steps = 0;
  ProjectionOutcome outcome = ProjectionOutcome::Finished;
  int missing = 0;

  // One stage: hands in `items` in bundles of `perHandIn`, each worth level x `factor` XP.
  // Every step either raises the level by one, using exactly the bundles the next level
  // needs (none when the XP already reaches it), or hands in the whole bundles left and ends
  // the stage. Returns false when the projection must stop.
  bool stage(std::int64_t items, std::int64_t perHandIn, std::int64_t factor) {
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
        xp += (items / perHandIn) * perHandInXp;
        return true;
      }
      xp += handIns * perHandInXp;
      ++level;
      items -= itemsNeeded;
    }
  }
};

}  // namespace

ProjectionResult RunProjection(const ProjectionInput& input) {
  ProjectionResult result;
  const std::int64_t scalps = input.scalpsOwned < 0 ? 0 : input.scalpsOwned;
  result.macesMade = scalps / kScalpsPerMace;
  result.beltsMade = result.macesMade / kMacesPerBelt;
  result.booksMade = result.beltsMade / kBeltsPerBook;
  result.ringsMade = result.booksMade / kBooksPerRing;

  static const LevelTable kEmpty;
  Run run{input.table != nullptr ? *input.table : kEmpty, input.startLevel, input.startXp};

  auto finish = [&]() {
    result.currentLevel = run.level;
    result.currentXp = run.xp;
    result.outcome = run.outcome;
    result.missingLevel = run.missing;
    result.stageSteps = run.steps;
    return result;
  };

  if (!run.stage(scalps, kScalpsPerMace, 1000)) return finish();
  if (input.sellMaces) return finish();
  if (!run.stage(result.macesMade, kMacesPerBelt, 1000)) return finish();
  if (input.part == QuestPart::GiveMaces) return finish();
  if (!run.stage(result.beltsMade, kBeltsPerBook, 3000)) return finish();
  if (input.part != QuestPart::GiveBooks && input.part != QuestPart::GiveRings) return finish();
  if (!run.stage(result.booksMade, kBooksPerRing, 3750)) return finish();
  if (input.part != QuestPart::GiveRings) return finish();
  run.stage(result.ringsMade, RingsPerHandIn(input.side), RingXPFactor(input.side));
  return finish();
}

ItemResults DeriveItemResults(const ProjectionInput& input, const ProjectionResult& r) {
  ItemResults items;
  const std::int64_t scalps = input.scalpsOwned < 0 ? 0 : input.scalpsOwned;
  items.scalpsRemained = scalps % kScalpsPerMace;
  if (input.sellMaces) {
    items.goldMillions = static_cast<double>(r.macesMade) * kGoldPerMace;
    return items;
  }
  items.macesRemained = r.macesMade % kMacesPerBelt;
  switch (input.part) {
    case QuestPart::GiveMaces: items.beltsRemained = r.beltsMade; break;
    case QuestPart::GiveBelts:
      items.beltsRemained = r.beltsMade % kBeltsPerBook;
      items.booksRemained = r.booksMade;
      break;
    case QuestPart::GiveBooks:
      items.beltsRemained = r.beltsMade % kBeltsPerBook;
      items.booksRemained = r.booksMade % kBooksPerRing;
      items.ringsRemained = r.ringsMade;
      break;
    case QuestPart::GiveRings: {
      items.beltsRemained = r.beltsMade % kBeltsPerBook;
      items.booksRemained = r.booksMade % kBooksPerRing;
      const std::int64_t per = RingsPerHandIn(input.side);
      if (per > 0) {
        items.ringsRemained = r.ringsMade % per;
        items.finalRewards = r.ringsMade / per;
      }
      break;
    }
    case QuestPart::None: items.beltsRemained = r.beltsMade % kBeltsPerBook; break;
  }
  return items;
}

}  // namespace quorvane
