#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// XP amounts and item counts are whole numbers; 64 bits hold every value the game reaches.
using Xp = std::int64_t;

// The table has slots 0..191; slot n holds the XP at which level n begins. Slot 0 is never filled.
inline constexpr int kLevelSlots = 192;
inline constexpr int kMaxRecords = kLevelSlots - 1;
// The highest level a character can reach.
inline constexpr int kLevelCap = 190;
// Largest XP value the table may hold. It keeps every sum and product of the projection far
// inside 64 bits (the real table ends near 1e11).
inline constexpr Xp kMaxTableXp = 1'000'000'000'000'000;  // 1e15

// Rounds to the nearest whole number, a half going to the even neighbour (57.5 -> 58, 58.5 -> 58).
double RoundHalfEven(double value);

class LevelTable {
 public:
  LevelTable() = default;

  // Number of records read: the index of the last filled slot (0 for an empty table).
  int levelCount() const { return count_; }
  // True when the table has a record for this level.
  bool hasLevel(int level) const { return level >= 1 && level <= count_; }
  // XP at which the level of this slot begins; empty slots (and indices outside 0..191) count as 0.
  Xp levelXp(int slot) const;
  // The level an XP amount lies in: the first n in 1..LevelCount-1 with
  // LevelXP(n) <= xp < LevelXP(n+1). None below level 1 or at/above the last record.
  std::optional<int> findLevel(Xp xp) const;
  // LevelXP of the slot nearest to `level` (half to even); 0 outside the table.
  Xp xpForLevel(double level) const;

  // Adds the next record; false (and nothing added) when all 191 slots are filled.
  bool append(Xp xp);

 private:
  std::array<Xp, kLevelSlots> xp_{};
  int count_ = 0;
};

// Why a level table file could not be used.
enum class TableProblem {
  Missing,           // no such file
  Unreadable,        // exists but cannot be read; TableError::reason says why when it is known
  Empty,             // no record at all
  NotANumber,        // a field that is not a plain whole number
  NoSeparator,       // a level number and its XP with only blanks between them (no comma)
  EmptyField,        // two separators with nothing between them
  LevelNumberRange,  // the level number (first field) does not fit 16 signed bits
  TooLarge,          // an XP value above kMaxTableXp
  Negative,          // an XP value below 0
  NotIncreasing,     // an XP value not above the one of the level before
  IncompleteRecord,  // the file ends after the level number of a record
  Utf16WithoutMark,  // UTF-16 text that does not start with its byte-order mark
};

// Why an existing file could not be read, as far as the system says.
enum class ReadFailure {
  Unknown,
  Folder,          // a folder, not a file
  NotRegularFile,  // a pipe, a device or another special file
  LinkLoop,        // its links lead round in a circle
  AccessDenied,    // no permission to read it
  ReadError,       // opened, but reading failed
  NameTooLong,     // its path is longer than the system takes
  TooManyFilesOpen,
  OutOfMemory,
};

struct TableError {
  TableProblem problem = TableProblem::Missing;
  std::int64_t line = 0;                      // 1-based line of the offending field; 0 when no line applies
  ReadFailure reason = ReadFailure::Unknown;  // for TableProblem::Unreadable
  int systemError = 0;                        // the system's error number behind an unreadable file, if any
};

struct TableLoad {
  LevelTable table;
  std::optional<TableError> error;
  bool ok() const { return !error.has_value(); }
};

// Reads records from the text of a level table file: UTF-8 (a byte-order mark is skipped) or any
// 8-bit code page, or UTF-16 in either byte order when it starts with its byte-order mark. Fields are separated by a
// comma or a line end; blanks around a field are skipped; two consecutive fields form one record (level number, then
// its XP), so a record may be split over two lines. The level number is checked and ignored: a record's level is its
// position. Records past slot 191 are ignored.
TableLoad ParseLevelTable(std::string_view text);

// Reads the file at `path` (normally lvl-xp.txt in the program's own folder).
TableLoad LoadLevelTable(const std::string& path);

// The file name of the level table, looked for in the folder of the program's executable.
inline constexpr const char* kLevelTableFileName = "lvl-xp.txt";

}  // namespace quorvane
