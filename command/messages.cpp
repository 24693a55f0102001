#include "command/messages.h"

#include <algorithm>
#include <cstring>

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
constexpr char kTableUnreadableNameTooLong[] = " cannot be read: its path is too long.";
constexpr char kTableUnreadableTooManyFiles[] = " cannot be read: too many files are open.";
constexpr char kTableUnreadableOutOfMemory[] = " cannot be read: the memory ran out.";
constexpr char kTableUnreadableReasonIntro[] = " cannot be read: ";  // then the system's words and kSentenceEnd
constexpr char kTableUtf16WithoutMark[] =
    " is UTF-16 text without its byte-order mark: save it as UTF-8, or as UTF-16 with the mark.";
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

// A path longer than this is shown shortened: its start, kShortenedMark, then its file name (the
// end of the name when the name alone is too long).
constexpr std::size_t kShownPathLimit = 160;
constexpr std::size_t kShownPathStart = 80;
constexpr std::size_t kShownNameLimit = 60;
constexpr char kShortenedMark[] = "...";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The path as messages show it: whole up to kShownPathLimit bytes, otherwise shortened, never
// inside a UTF-8 character.
std::string ShownPath(const std::string& path) {
  if (path.size() <= kShownPathLimit) return path;
  std::size_t startEnd = kShownPathStart;
  while (startEnd > 0 && IsContinuationByte(path[startEnd])) --startEnd;
  const std::size_t separator = path.find_last_of("/\\");
  std::size_t nameStart = separator == std::string::npos ? 0 : separator;
  nameStart = std::max({nameStart, path.size() - kShownNameLimit, startEnd});
  while (nameStart < path.size() && IsContinuationByte(path[nameStart])) ++nameStart;
  return path.substr(0, startEnd) + kShortenedMark + path.substr(nameStart);
}

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

std::string TableText(const std::string& path, const std::string& ending) {
  return kTableIntro + ShownPath(path) + ending;
}

std::string UnreadableEnding(const TableError& error) {
  // A reason without a message of its own: the system's words, starting in lower case.
  if (error.reason == ReadFailure::Unknown && error.systemError != 0) {
    std::string words = std::strerror(error.systemError);
    if (!words.empty() && words.front() >= 'A' && words.front() <= 'Z') words.front() += 'a' - 'A';
    while (!words.empty() && (words.back() == '.' || words.back() == ' ')) words.pop_back();
    if (!words.empty()) return kTableUnreadableReasonIntro + words + kSentenceEnd;
  }
  switch (error.reason) {
    case ReadFailure::Unknown: return kTableUnreadable;
    case ReadFailure::Folder: return kTableUnreadableFolder;
    case ReadFailure::NotRegularFile: return kTableUnreadableNotRegular;
    case ReadFailure::LinkLoop: return kTableUnreadableLinkLoop;
    case ReadFailure::AccessDenied: return kTableUnreadableAccessDenied;
    case ReadFailure::ReadError: return kTableUnreadableReadError;
    case ReadFailure::NameTooLong: return kTableUnreadableNameTooLong;
    case ReadFailure::TooManyFilesOpen: return kTableUnreadableTooManyFiles;
    case ReadFailure::OutOfMemory: return kTableUnreadableOutOfMemory;
  }
  return kTableUnreadable;
}

std::string LineText(std::int64_t line, const std::string& path, const std::string& ending) {
  return kLineIntro + std::to_string(line) + kLineOf + ShownPath(path) + ending;
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
    case TableProblem::Unreadable: return TableText(path, UnreadableEnding(error));
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
    case TableProblem::Utf16WithoutMark: return TableText(path, kTableUtf16WithoutMark);
  }
  return TableText(path, kTableUnusable);
}

std::string MissingLevelText(const std::string& path, int level) {
  return kTableIntro + ShownPath(path) + kTableLacksLevel + std::to_string(level) + kSentenceEnd;
}

std::string XpMatchesNoLevelText(const std::string& path) {
  return kXpMatchesNoLevelIntro + ShownPath(path) + kSentenceEnd;
}

}  // namespace quorvane
