#include "command/messages.h"

#include "core/number_text.h"

namespace quorvane {

namespace {

constexpr char kFieldIntro[] = "The ";

constexpr char kXpFieldName[] = "XP";
constexpr char kLevelFieldName[] = "Level";
constexpr char kScalpsFieldName[] = "Scalps";
constexpr char kTargetLevelFieldName[] = "Requested LVL";
constexpr char kUpdateIntervalFieldName[] = "Update window after:";

constexpr char kMacesOwnedName[] = "Maces Owned";
constexpr char kBeltsOwnedName[] = "Belts Owned";
constexpr char kBooksOwnedName[] = "Books Owned";
constexpr char kRingsOwnedName[] = "Rings Owned";

// Messages about the level table, all titled kErrorTitle. About the whole file:
// "The level table <path><ending>"; about one of its lines: "Line <n> of <path><ending>".
constexpr char kTableIntro[] = "The level table ";
constexpr char kTableMissing[] = " is missing.";
constexpr char kTableUnreadable[] = " cannot be read.";
// " cannot be read: <reason>." where the system says why.
constexpr char kTableUnreadableFolder[] = " cannot be read: it is a folder.";
constexpr char kTableUnreadableNotRegular[] = " cannot be read: it is not a regular file.";
constexpr char kTableUnreadableLinkLoop[] = " cannot be read: its links lead round in a loop.";
constexpr char kTableUnreadableAccessDenied[] = " cannot be read: permission denied.";
constexpr char kTableUnreadableReadError[] = " cannot be read: reading it failed.";
constexpr char kTableEmpty[] = " holds no levels.";
constexpr char kTableUnusable[] = " cannot be used.";
constexpr char kLineIntro[] = "Line ";
constexpr char kLineOf[] = " of ";
constexpr char kLineNotANumber[] = " holds something that is not a whole number.";
constexpr char kLineNoSeparator[] = " has a level number and XP without a comma between them.";
constexpr char kLineEmptyField[] = " has an empty field.";
constexpr char kLineLevelNumberRange[] = " has a level number outside -32768 to 32767.";
constexpr char kLineTooLargeIntro[] = " has an XP value above ";  // followed by the largest XP and kSentenceEnd
constexpr char kLineNegative[] = " has a negative XP value.";
constexpr char kLineNotIncreasing[] = " has an XP value that is not above the one of the level before.";
constexpr char kLineIncompleteRecord[] = " has a level number without its XP.";
// "The level table <path> has no XP for level <n>."
constexpr char kTableLacksLevel[] = " has no XP for level ";
// "The XP in the XP field matches no level of the level table <path>."
constexpr char kXpMatchesNoLevelIntro[] = "The XP in the XP field matches no level of the level table ";
constexpr char kSentenceEnd[] = ".";

const char* FieldName(TextField field) {
  switch (field) {
    case TextField::Xp: return kXpFieldName;
    case TextField::Level: return kLevelFieldName;
    case TextField::Scalps: return kScalpsFieldName;
    case TextField::TargetLevel: return kTargetLevelFieldName;
    case TextField::UpdateInterval: return kUpdateIntervalFieldName;
  }
  return "";
}

std::string TableText(const std::string& path, const char* ending) { return kTableIntro + path + ending; }

const char* UnreadableEnding(ReadFailure reason) {
  switch (reason) {
    case ReadFailure::Unknown: return kTableUnreadable;
    case ReadFailure::Folder: return kTableUnreadableFolder;
    case ReadFailure::NotRegularFile: return kTableUnreadableNotRegular;
    case ReadFailure::LinkLoop: return kTableUnreadableLinkLoop;
    case ReadFailure::AccessDenied: return kTableUnreadableAccessDenied;
    case ReadFailure::ReadError: return kTableUnreadableReadError;
  }
  return kTableUnreadable;
}

std::string LineText(std::int64_t line, const std::string& path, const std::string& ending) {
  return kLineIntro + std::to_string(line) + kLineOf + path + ending;
}

}  // namespace

std::string FieldText(TextField field, const FieldMessage& message) {
  return kFieldIntro + std::string(FieldName(field)) + message.ending;
}

const char* OwnedItemName(OwnedItem item) {
  switch (item) {
    case OwnedItem::Maces: return kMacesOwnedName;
    case OwnedItem::Belts: return kBeltsOwnedName;
    case OwnedItem::Books: return kBooksOwnedName;
    case OwnedItem::Rings: break;
  }
  return kRingsOwnedName;
}

std::string OwnedItemText(OwnedItem item, const FieldMessage& message) {
  return kFieldIntro + std::string(OwnedItemName(item)) + message.ending;
}

std::string TableMessage(const TableError& error, const std::string& path) {
  switch (error.problem) {
    case TableProblem::Missing: return TableText(path, kTableMissing);
    case TableProblem::Unreadable: return TableText(path, UnreadableEnding(error.reason));
    case TableProblem::Empty: return TableText(path, kTableEmpty);
    case TableProblem::NotANumber: return LineText(error.line, path, kLineNotANumber);
    case TableProblem::NoSeparator: return LineText(error.line, path, kLineNoSeparator);
    case TableProblem::EmptyField: return LineText(error.line, path, kLineEmptyField);
    case TableProblem::LevelNumberRange: return LineText(error.line, path, kLineLevelNumberRange);
    case TableProblem::TooLarge:
      return LineText(error.line, path, kLineTooLargeIntro + FormatPlain(kMaxTableXp) + kSentenceEnd);
    case TableProblem::Negative: return LineText(error.line, path, kLineNegative);
    case TableProblem::NotIncreasing: return LineText(error.line, path, kLineNotIncreasing);
    case TableProblem::IncompleteRecord: return LineText(error.line, path, kLineIncompleteRecord);
  }
  return TableText(path, kTableUnusable);
}

std::string MissingLevelText(const std::string& path, int level) {
  return kTableIntro + path + kTableLacksLevel + std::to_string(level) + kSentenceEnd;
}

std::string XpMatchesNoLevelText(const std::string& path) { return kXpMatchesNoLevelIntro + path + kSentenceEnd; }

}  // namespace quorvane
