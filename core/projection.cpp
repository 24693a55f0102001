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
  bool Stage(std::int64_t items, std::int64_t perHandIn, std::int64_t factor) {
    if (perHandIn <= 0 || factor <= 0) return true;  // no side chosen: nothing to hand in
    for (;;) {
      ++steps;
      if (level >= LevelCap) {
        outcome = ProjectionOutcome::StoppedAtLevelCap;
        return false;
      }
      if (level < 1 || !table.HasLevel(level + 1)) {
        outcome = ProjectionOutcome::MissingLevel;
        missing = level < 1 ? level : level + 1;
        return false;
      }
      const Xp needed = table.LevelXP(level + 1) - xp;
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
  const std::int64_t scalps = input.ScalpsOwned < 0 ? 0 : input.ScalpsOwned;
  result.MacesMade = scalps / kScalpsPerMace;
  result.BeltsMade = result.MacesMade / kMacesPerBelt;
  result.BooksMade = result.BeltsMade / kBeltsPerBook;
  result.RingsMade = result.BooksMade / kBooksPerRing;

  static const LevelTable kEmpty;
  Run run{input.Table != nullptr ? *input.Table : kEmpty, input.StartLevel, input.StartXP};

  auto finish = [&]() {
    result.CurrentLevel = run.level;
    result.CurrentXP = run.xp;
    result.Outcome = run.outcome;
    result.MissingLevel = run.missing;
    result.StageSteps = run.steps;
    return result;
  };

  if (!run.Stage(scalps, kScalpsPerMace, 1000)) return finish();
  if (input.SellMaces) return finish();
  if (!run.Stage(result.MacesMade, kMacesPerBelt, 1000)) return finish();
  if (input.Part == QuestPart::GiveMaces) return finish();
  if (!run.Stage(result.BeltsMade, kBeltsPerBook, 3000)) return finish();
  if (input.Part != QuestPart::GiveBooks && input.Part != QuestPart::GiveRings) return finish();
  if (!run.Stage(result.BooksMade, kBooksPerRing, 3750)) return finish();
  if (input.Part != QuestPart::GiveRings) return finish();
  run.Stage(result.RingsMade, RingsPerHandIn(input.side), RingXPFactor(input.side));
  return finish();
}

ItemResults DeriveItemResults(const ProjectionInput& input, const ProjectionResult& r) {
  ItemResults items;
  const std::int64_t scalps = input.ScalpsOwned < 0 ? 0 : input.ScalpsOwned;
  items.ScalpsRemained = scalps % kScalpsPerMace;
  if (input.SellMaces) {
    items.GoldMillions = static_cast<double>(r.MacesMade) * kGoldPerMace;
    return items;
  }
  items.MacesRemained = r.MacesMade % kMacesPerBelt;
  switch (input.Part) {
    case QuestPart::GiveMaces:
      items.BeltsRemained = r.BeltsMade;
      break;
    case QuestPart::GiveBelts:
      items.BeltsRemained = r.BeltsMade % kBeltsPerBook;
      items.BooksRemained = r.BooksMade;
      break;
    case QuestPart::GiveBooks:
      items.BeltsRemained = r.BeltsMade % kBeltsPerBook;
      items.BooksRemained = r.BooksMade % kBooksPerRing;
      items.RingsRemained = r.RingsMade;
      break;
    case QuestPart::GiveRings: {
      items.BeltsRemained = r.BeltsMade % kBeltsPerBook;
      items.BooksRemained = r.BooksMade % kBooksPerRing;
      const std::int64_t per = RingsPerHandIn(input.side);
      if (per > 0) {
        items.RingsRemained = r.RingsMade % per;
        items.FinalRewards = r.RingsMade / per;
      }
      break;
    }
    case QuestPart::None:
      items.BeltsRemained = r.BeltsMade % kBeltsPerBook;
      break;
  }
  return items;
}

}  // namespace quorvane
