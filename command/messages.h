#pragma once

// The texts the Calculate command shows in its message boxes: each title, each message with a
// fixed text, and the messages built around a field's name or the level table's path.

#include <cstdint>
#include <string>

#include "command/view_fields.h"
#include "core/level_table.h"

namespace quorvane {

// Titles of the message boxes.
inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kNoDataInFieldsTitle[] = "No Data In Fields";
inline constexpr char kPleaseTitle[] = "Please!!!";
inline constexpr char kNoDataTitle[] = "No data";
inline constexpr char kMissingDataTitle[] = "Missing Data";
inline constexpr char kBePatientTitle[] = "Be patient";
inline constexpr char kCheaterTitle[] = "Cheater!";
inline constexpr char kNoPublicDataTitle[] = "No public data!";
inline constexpr char kOopsTitle[] = "Oops";

struct Message {
  const char* title;
  const char* text;
};

// Messages with a fixed text.
inline constexpr Message kNoQuestOptions{kErrorTitle, "You have not chosen any quest options."};
inline constexpr Message kNoXpTyped{kErrorTitle, "You have not typed any XP."};
inline constexpr Message kNoLevelTyped{kErrorTitle, "You have not typed your level."};
inline constexpr Message kLevelTooHigh{kErrorTitle, "No support for higher than 190lvl."};
inline constexpr Message kLevelBelowOne{kErrorTitle, "The Level field must hold a level of 1 or more."};
inline constexpr Message kNoXpData{kNoDataInFieldsTitle, "You have not typed any XP."};
inline constexpr Message kNoScalps{kNoDataInFieldsTitle, "You have not typed any number of scalps."};
inline constexpr Message kTooFewScalps{kPleaseTitle, "Perhaps you should consider collecting some scalps first."};
inline constexpr Message kScalpsTooLarge{kErrorTitle, "The Scalps field holds a number too large to calculate with."};
inline constexpr Message kNoSide{kNoDataTitle, "Check your desired karma orientation."};
inline constexpr Message kNoTarget{kMissingDataTitle, "Put a number in the Requested LVL."};
inline constexpr Message kAboveLevelCap{kBePatientTitle, "Cannot check above 190lvl."};
inline constexpr Message kBelowLevel50{kCheaterTitle, "Who are you kidding? 50lvl req for SH :-)"};
inline constexpr Message kAboveKnownXp{kNoPublicDataTitle, "Sorry, this prog calculates only until 190lvl (for now)"};
inline constexpr Message kTargetBelow{kOopsTitle, "You want to loose XP? Jesus!"};
inline constexpr Message kTargetReached{kOopsTitle, "You are already there! 0 scalps needed!"};
inline constexpr Message kUpdateIntervalNotAbove0{
    kErrorTitle, "The Update window after: field must hold a number of scalps above 0."};
inline constexpr Message kLevelLetters{kNoDataInFieldsTitle, "The Level field has letters, not numbers."};
inline constexpr Message kXpLetters{kNoDataInFieldsTitle, "The XP field has letters, not numbers."};

// Messages about a field that holds no usable number: "The <field name><ending>".
struct FieldMessage {
  const char* title;
  const char* ending;
};
inline constexpr FieldMessage kFieldHasLetters{kNoDataInFieldsTitle, " field has letters, not numbers."};
inline constexpr FieldMessage kFieldNotANumber{kNoDataInFieldsTitle, " field does not hold a number."};
inline constexpr FieldMessage kFieldNotWhole{kErrorTitle, " field must hold a whole number."};
inline constexpr FieldMessage kFieldNegative{kErrorTitle, " field must hold a number of 0 or more."};
inline constexpr FieldMessage kFieldTooLarge{kErrorTitle, " field holds a number too large to calculate with."};

// "The <field name><ending>", naming the field as the messages do.
std::string FieldText(TextField field, const FieldMessage& message);
// The name of an item owned as its box and its messages give it: "Maces Owned", ...
const char* OwnedItemName(OwnedItem item);
// "The <item> Owned<ending>", naming the count as the messages do.
std::string OwnedItemText(OwnedItem item, const FieldMessage& message);
// What is wrong with the level table, naming it as `path`.
std::string TableMessage(const TableError& error, const std::string& path);
// "The level table <path> has no XP for level <n>."
std::string MissingLevelText(const std::string& path, int level);
// "The XP in the XP field matches no level of the level table <path>."
std::string XpMatchesNoLevelText(const std::string& path);

// A message box the command showed.
struct ShownMessage {
  std::string title;
  std::string text;
  // "Title: Text", as the command line prints it.
  std::string line() const { return title + ": " + text; }
};

}  // namespace quorvane
