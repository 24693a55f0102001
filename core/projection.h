#pragma once

#include <cstdint>

#include "core/level_table.h"

namespace quorvane {

// How far along the item chain the player hands in items.
enum class QuestPart { None, GiveMaces, GiveBelts, GiveBooks, GiveRings };
// Only the ring stage reads the side.
enum class Side { None, Good, Evil };

struct ProjectionInput {
  std::int64_t ScalpsOwned = 0;
  Xp StartXP = 0;         // 0 .. kMaxTableXp
  int StartLevel = 1;     // a level the table has, below LevelCap
  QuestPart Part = QuestPart::None;
  bool SellMaces = false;
  Side side = Side::None;
  const LevelTable* Table = nullptr;
};

enum class ProjectionOutcome {
  Finished,
  StoppedAtLevelCap,  // the character reached LevelCap (190)
  MissingLevel,       // the run needed the start XP of a level the table lacks
};

struct ProjectionResult {
  int CurrentLevel = 0;
  Xp CurrentXP = 0;
  std::int64_t MacesMade = 0;
  std::int64_t BeltsMade = 0;
  std::int64_t BooksMade = 0;
  std::int64_t RingsMade = 0;
  ProjectionOutcome Outcome = ProjectionOutcome::Finished;
  int MissingLevel = 0;       // with ProjectionOutcome::MissingLevel: the level the table lacks
  std::int64_t StageSteps = 0;  // number of stage steps taken (for measurements)
};

// Plays the quest through from the start level and XP: every bundle handed in gives
// level x factor XP at the level of that moment. A pure function of its input.
ProjectionResult RunProjection(const ProjectionInput& input);

// What is left over of each item, the final rewards and the gold, from the made counts.
struct ItemResults {
  std::int64_t ScalpsRemained = 0;
  std::int64_t MacesRemained = 0;
  std::int64_t BeltsRemained = 0;
  std::int64_t BooksRemained = 0;
  std::int64_t RingsRemained = 0;
  std::int64_t FinalRewards = 0;
  double GoldMillions = 0.0;  // only with SellMaces: MacesMade x 0.010284 million gold pieces
};

ItemResults DeriveItemResults(const ProjectionInput& input, const ProjectionResult& result);

// Bundle sizes of the item chain.
inline constexpr std::int64_t kScalpsPerMace = 5;
inline constexpr std::int64_t kMacesPerBelt = 5;
inline constexpr std::int64_t kBeltsPerBook = 3;
inline constexpr std::int64_t kBooksPerRing = 5;
// Rings per final reward and the ring stage's XP factor, by side (0 without a side).
std::int64_t RingsPerHandIn(Side side);
std::int64_t RingXPFactor(Side side);
// Million gold pieces one sold mace brings.
inline constexpr double kGoldPerMace = 0.010284;

}  // namespace quorvane
