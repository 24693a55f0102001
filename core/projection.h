#pragma once

#include <cstdint>

#include "core/level_table.h"

namespace quorvane {

// How far along the item chain the player hands in items.
enum class QuestPart { None, GiveMaces, GiveBelts, GiveBooks, GiveRings };
// Only the ring stage reads the side.
enum class Side { None, Good, Evil };

struct ProjectionInput {
  std::int64_t scalpsOwned = 0;
  Xp startXp = 0;      // 0 .. kMaxTableXp
  int startLevel = 1;  // a level the table has, below kLevelCap
  QuestPart part = QuestPart::None;
  bool sellMaces = false;
  Side side = Side::None;
  const LevelTable* table = nullptr;
};

enum class ProjectionOutcome {
  Finished,
  StoppedAtLevelCap,  // the character reached kLevelCap (190)
  MissingLevel,       // the run needed the start XP of a level the table lacks
};

struct ProjectionResult {
  int currentLevel = 0;
  Xp currentXp = 0;
  std::int64_t macesMade = 0;
  std::int64_t beltsMade = 0;
  std::int64_t booksMade = 0;
  std::int64_t ringsMade = 0;
  ProjectionOutcome outcome = ProjectionOutcome::Finished;
  int missingLevel = 0;         // with ProjectionOutcome::MissingLevel: the level the table lacks
  std::int64_t stageSteps = 0;  // number of stage steps taken (for measurements)
};

// Plays the quest through from the start level and XP: every bundle handed in gives
// level x factor XP at the level of that moment. A pure function of its input.
ProjectionResult RunProjection(const ProjectionInput& input);

// What is left over of each item, the final rewards and the gold, from the made counts.
struct ItemResults {
  std::int64_t scalpsRemained = 0;
  std::int64_t macesRemained = 0;
  std::int64_t beltsRemained = 0;
  std::int64_t booksRemained = 0;
  std::int64_t ringsRemained = 0;
  std::int64_t finalRewards = 0;
  double goldMillions = 0.0;  // only with SellMaces: MacesMade x 0.010284 million gold pieces
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
