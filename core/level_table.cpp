#include "core/level_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double diff = value - lower;
  if (diff < 0.5) return lower;
  if (diff > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

Xp LevelTable::LevelXP(int slot) const {
  if (slot < 0 || slot >= kLevelSlots) return 0;
  return xp_[static_cast<std::size_t>(slot)];
}

std::optional<int> LevelTable::FindLevel(Xp xp) const {
  for (int n = 1; n < count_; ++n) {
    if (LevelXP(n) <= xp && xp < LevelXP(n + 1)) return n;
  }
  return std::nullopt;
}

Xp LevelTable::XPForLevel(double level) const {
  const double slot = RoundHalfEven(level);
  if (!(slot >= 0.0 && slot < kLevelSlots)) return 0;
  return LevelXP(static_cast<int>(slot));
}

bool LevelTable::Append(Xp xp) {
  if (count_ >= kMaxRecords) return false;
  xp_[static_cast<std::size_t>(++count_)] = xp;
  return true;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

enum class FieldValue { Ok, NotANumber, Overflow };

// A whole number in plain decimal: an optional sign, then digits only.
FieldValue ParseWhole(std::string_view field, std::int64_t& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
    negative = field[i] == '-';
    ++i;
  }
  if (i == field.size()) return FieldValue::NotANumber;
  bool overflow = false;
  std::int64_t value = 0;
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (c < '0' || c > '9') return FieldValue::NotANumber;
    if (!overflow) {
      if (value > (std::numeric_limits<std::int64_t>::max() - (c - '0')) / 10) {
        overflow = true;
      } else {
        value = value * 10 + (c - '0');
      }
    }
  }
  if (overflow) return FieldValue::Overflow;
  out = negative ? -value : value;
  return FieldValue::Ok;
}

}  // namespace

TableLoad ParseLevelTable(std::string_view text) {
  TableLoad result;
  auto fail = [&](TableProblem problem, int line) {
    result.error = TableError{problem, line};
    return result;
  };

  std::size_t pos = 0;
  // A byte-order mark, as some Windows editors write it, is not part of the first field.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;

  int line = 1;
  long long fields = 0;
  int levelNumberLine = 0;
  Xp previous = 0;

  while (pos < text.size()) {
    const char c = text[pos];
    if (IsBlank(c)) {
      ++pos;
      continue;
    }
    if (IsLineEnd(c)) {
      if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
      ++pos;
      ++line;
      continue;
    }
    if (c == ',') return fail(TableProblem::EmptyField, line);

    // One field: up to the next comma or line end, blanks around it trimmed.
    std::size_t end = pos;
    while (end < text.size() && text[end] != ',' && !IsLineEnd(text[end])) ++end;
    std::size_t last = end;
    while (last > pos && IsBlank(text[last - 1])) --last;
    const std::string_view field = text.substr(pos, last - pos);
    pos = end;
    if (pos < text.size() && text[pos] == ',') ++pos;  // the comma separates this field from the next

    std::int64_t value = 0;
    const FieldValue parsed = ParseWhole(field, value);
    if (parsed == FieldValue::NotANumber) return fail(TableProblem::NotANumber, line);

    if (fields % 2 == 0) {
      // Level number: read and ignored, but it must be a 16-bit whole number.
      if (parsed == FieldValue::Overflow || value < -32768 || value > 32767) {
        return fail(TableProblem::LevelNumberRange, line);
      }
      levelNumberLine = line;
    } else {
      if (parsed == FieldValue::Overflow) {
        return fail(field.front() == '-' ? TableProblem::Negative : TableProblem::TooLarge, line);
      }
      if (value < 0) return fail(TableProblem::Negative, line);
      if (value > kMaxTableXp) return fail(TableProblem::TooLarge, line);
      if (result.table.LevelCount() > 0 && value <= previous) {
        return fail(TableProblem::NotIncreasing, line);
      }
      result.table.Append(value);
      previous = value;
      if (result.table.LevelCount() == kMaxRecords) return result;  // the rest is ignored
    }
    ++fields;
  }

  if (fields % 2 == 1) return fail(TableProblem::IncompleteRecord, levelNumberLine);
  if (result.table.LevelCount() == 0) return fail(TableProblem::Empty, 0);
  return result;
}

TableLoad LoadLevelTable(const std::string& path) {
  TableLoad result;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    result.error = TableError{errno == ENOENT || errno == ENOTDIR ? TableProblem::Missing
                                                                  : TableProblem::Unreadable,
                              0};
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.error = TableError{TableProblem::Unreadable, 0};
    return result;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    result.error = TableError{TableProblem::Unreadable, 0};
    return result;
  }
  std::string text;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    result.error = TableError{TableProblem::Unreadable, 0};
    return result;
  }
  return ParseLevelTable(text);
}

std::string ExecutableFolder() {
  char buffer[4096];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return ".";
  std::string path(buffer, static_cast<std::size_t>(length));
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string DefaultLevelTablePath() { return ExecutableFolder() + "/" + kLevelTableFileName; }

}  // namespace quorvane
