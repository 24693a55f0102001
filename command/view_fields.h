#pragma once

// The main window's controls that the Calculate command reads and writes, named in C++ after what
// they mean. Which control of which window each one is, the windows' descriptions say.

namespace quorvane {

// Text boxes: the character's XP, its level, the scalps owned, the level to reach and the
// Working window's update interval.
// GCC 12 takes an enumerator of a scoped enumeration for a declaration of the namespace and finds
// that TextField::Xp shadows the type quorvane::Xp (core/level_table.h) when that comes first;
// the two never meet, since the enumerator is only ever named as TextField::Xp.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#endif
enum class TextField { Xp, Level, Scalps, TargetLevel, UpdateInterval };
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
// Whether the Calculate command reads the field as a number that may have a fraction (the level
// to reach, the update interval); it reads the others as whole numbers.
constexpr bool TakesFraction(TextField field) {
  return field == TextField::TargetLevel || field == TextField::UpdateInterval;
}
// Check boxes: "Sell Maces", "Lvl to reach:", "Update window after:" and "Do not show the Working
// window.".
enum class CheckField { SellMaces, SearchTarget, UpdateAtInterval, HideWorkingWindow };
// Option button arrays: the quest part, the side, XP or level entry, and the search's zero-left
// item.
enum class OptionGroup { QuestPart, Side, Entry, ZeroLeft };
// The labels the results are written into, and the scalps the search found.
enum class ResultLabel {
  Level,
  ExactXp,
  XpGained,
  XpToNextLevel,
  Gold,
  ScalpsLeft,
  MacesLeft,
  BeltsLeft,
  BooksLeft,
  RingsLeft,
  FinalRewards,
  ScalpsNeeded,
};
// The items already owned that every projection hands in with those it makes ("Items Owned...").
enum class OwnedItem { Maces, Belts, Books, Rings };
// The labels of the Working window that the search writes.
enum class WorkingLabel { StartLevel, TargetLevel, Scalps, LevelReached };

inline constexpr TextField kTextFields[] = {TextField::Xp, TextField::Level, TextField::Scalps, TextField::TargetLevel,
                                            TextField::UpdateInterval};
inline constexpr CheckField kCheckFields[] = {CheckField::SellMaces, CheckField::SearchTarget,
                                              CheckField::UpdateAtInterval, CheckField::HideWorkingWindow};
inline constexpr OptionGroup kOptionGroups[] = {OptionGroup::QuestPart, OptionGroup::Side, OptionGroup::Entry,
                                                OptionGroup::ZeroLeft};
inline constexpr ResultLabel kResultLabels[] = {
    ResultLabel::Level,     ResultLabel::ExactXp,    ResultLabel::XpGained,     ResultLabel::XpToNextLevel,
    ResultLabel::Gold,      ResultLabel::ScalpsLeft, ResultLabel::MacesLeft,    ResultLabel::BeltsLeft,
    ResultLabel::BooksLeft, ResultLabel::RingsLeft,  ResultLabel::FinalRewards, ResultLabel::ScalpsNeeded};
inline constexpr WorkingLabel kWorkingLabels[] = {WorkingLabel::StartLevel, WorkingLabel::TargetLevel,
                                                  WorkingLabel::Scalps, WorkingLabel::LevelReached};

inline constexpr OwnedItem kOwnedItems[] = {OwnedItem::Maces, OwnedItem::Belts, OwnedItem::Books, OwnedItem::Rings};
inline constexpr int kOwnedItemCount = 4;

// Members of each option array.
inline constexpr int kQuestPartCount = 4;  // maces, belts, books, rings
inline constexpr int kSideCount = 2;       // Good, Evil
inline constexpr int kEntryCount = 2;      // XP, level
inline constexpr int kZeroLeftCount = 5;   // scalps, maces, belts, books, rings

}  // namespace quorvane
