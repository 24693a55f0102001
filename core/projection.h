#pragma once

#include <cstdint>
#include <vector>

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
  // Items left from earlier hand-ins, handed in with those made from the scalps: each stage
  // works on the items it made plus those owned. 0 .. kMaxItemsOwned; see ItemsOwnedFit.
  std::int64_t macesOwned = 0;
  std::int64_t beltsOwned = 0;
  std::int64_t booksOwned = 0;
  std::int64_t ringsOwned = 0;
};

// The most of each item a player may own. With every count owned at most this and the scalps at
// most INT64_MAX, no stage's items overflow (maces below 0.7 x 2^63, belts, books and rings below
// 0.72 x 2^63), nor does the XP: a step never gains more than its gap to the next level start
// plus one hand-in.
inline constexpr std::int64_t kMaxItemsOwned = std::int64_t{1} << 62;

// Whether every item owned lies within 0 .. kMaxItemsOwned. The caller refuses input that does not
// as too large to calculate with before projecting or searching; the core itself takes such a
// count at the nearest bound, so that nothing overflows.
bool ItemsOwnedFit(const ProjectionInput& input);

enum class ProjectionOutcome {
  Finished,
  StoppedAtLevelCap,  // the character reached kLevelCap (190)
  MissingLevel,       // the run needed the start XP of a level the table lacks
};

struct ProjectionResult {
  int currentLevel = 0;
  Xp currentXp = 0;
  // Made by hand-ins: maces from the scalps, belts from the maces made and owned, and so on.
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

enum class HandInItem { Scalps, Maces, Belts, Books, Rings };

// One stage step that hands something in or raises the level.
struct HandInStep {
  HandInItem item = HandInItem::Scalps;
  std::int64_t handIns = 0;
  std::int64_t itemsHandedIn = 0;  // handIns x the items of one hand-in
  std::int64_t xpPerHandIn = 0;    // levelBefore x the stage's factor
  Xp xpGained = 0;                 // handIns x xpPerHandIn
  int levelBefore = 0;
  int levelAfter = 0;  // levelBefore, or one above when the step raises the level
  Xp xpAfter = 0;
};

// The steps of RunProjection(input) in the order it takes them. Their XP gained adds up to the
// projection's, and the last ends at its level and XP (a step that stops the projection hands
// nothing in and has no row).
std::vector<HandInStep> ProjectionSteps(const ProjectionInput& input);

// What is left over of each item, the final rewards and the gold, from the made counts and the
// items owned. Items a stage does not hand in are left as owned.
struct ItemResults {
  std::int64_t scalpsRemained = 0;
  std::int64_t macesRemained = 0;
  std::int64_t beltsRemained = 0;
  std::int64_t booksRemained = 0;
  std::int64_t ringsRemained = 0;
  std::int64_t finalRewards = 0;
  double goldMillions = 0.0;  // only with SellMaces: every mace, made or owned, x 0.010284 million
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
