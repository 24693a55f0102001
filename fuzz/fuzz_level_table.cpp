// Parses arbitrary text as a level table file. A table that loads must hold 1 to 191 strictly
// rising XP values within range, find every XP in the right level, and read back the same from
// its own plain form; a refused one must name a line that exists.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/level_table.h"

using namespace quorvane;

namespace {

[[noreturn]] void Violation(const char* what) {
  std::fprintf(stderr, "INVARIANT BROKEN: %s\n", what);
  std::abort();
}

void CheckFind(const LevelTable& t, Xp xp) {
  const auto level = t.findLevel(xp);
  if (level) {
    if (*level < 1 || *level >= t.levelCount()) Violation("FindLevel gave a level outside the table");
    if (!(t.levelXp(*level) <= xp && xp < t.levelXp(*level + 1))) Violation("FindLevel gave the wrong level");
  } else if (t.levelCount() >= 2 && t.levelXp(1) <= xp && xp < t.levelXp(t.levelCount())) {
    Violation("FindLevel found no level for an XP inside the table");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TableLoad load = ParseLevelTable(text);
  if (!load.ok()) {
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n')) +
                      static_cast<int>(std::count(text.begin(), text.end(), '\r'));
    if (load.error->line < 0 || load.error->line > lines) Violation("the error names a line past the end");
    if ((load.error->problem == TableProblem::Empty) != (load.error->line == 0))
      Violation("line 0 only for an empty table");
    return 0;
  }
  const LevelTable& t = load.table;
  const int count = t.levelCount();
  if (count < 1 || count > kMaxRecords) Violation("record count out of range");
  std::string plain;
  for (int n = 1; n <= count; ++n) {
    const Xp xp = t.levelXp(n);
    if (xp < 0 || xp > kMaxTableXp) Violation("XP value out of range");
    if (n > 1 && xp <= t.levelXp(n - 1)) Violation("XP values do not rise");
    plain += std::to_string(n) + "," + std::to_string(xp) + "\n";
    CheckFind(t, xp);
    CheckFind(t, xp - 1);
    CheckFind(t, xp + 1);
    if (t.xpForLevel(n) != xp) Violation("XPForLevel differs from the slot");
  }
  if (t.levelXp(0) != 0 || t.levelXp(count + 1) != 0) Violation("an empty slot is not 0");
  const TableLoad again = ParseLevelTable(plain);
  if (!again.ok() || again.table.levelCount() != count) Violation("the plain form does not read back");
  for (int n = 1; n <= count; ++n) {
    if (again.table.levelXp(n) != t.levelXp(n)) Violation("the plain form reads back differently");
  }
  return 0;
}
