#include "core/level_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sys/stat.h>

#if defined(_WIN32)
#include "core/utf16.h"
#endif

namespace quorvane {

double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double diff = value - lower;
  if (diff < 0.5) return lower;
  if (diff > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

Xp LevelTable::levelXp(int slot) const {
  if (slot < 0 || slot >= kLevelSlots) return 0;
  return xp_[static_cast<std::size_t>(slot)];
}

std::optional<int> LevelTable::findLevel(Xp xp) const {
  for (int n = 1; n < count_; ++n) {
    if (levelXp(n) <= xp && xp < levelXp(n + 1)) return n;
  }
  return std::nullopt;
}

Xp LevelTable::xpForLevel(double level) const {
  const double slot = RoundHalfEven(level);
  if (!(slot >= 0.0 && slot < kLevelSlots)) return 0;
  return levelXp(static_cast<int>(slot));
}

bool LevelTable::append(Xp xp) {
  if (count_ >= kMaxRecords) return false;
  xp_[static_cast<std::size_t>(++count_)] = xp;
  return true;
}

namespace {

constexpr int kEnd = -1;

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(int c) { return c == '\n' || c == '\r'; }

// The bytes of a table held in memory.
class TextSource {
 public:
  explicit TextSource(std::string_view text) : text_(text) {}
  int Peek() const { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : kEnd; }
  void Skip() { ++pos_; }
  bool Failed() const { return false; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The bytes of a table file, read in blocks as the parser goes: a file is read only as far as
// its first 191 records reach.
class FileSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) { fill(); }
  int Peek() const { return pos_ < size_ ? static_cast<unsigned char>(buffer_[pos_]) : kEnd; }
  void Skip() {
    if (++pos_ == size_) fill();
  }
  bool Failed() const { return failed_; }

 private:
  void fill() {
    size_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (size_ == 0 && std::ferror(file_) != 0) failed_ = true;
  }
  std::FILE* file_;
  char buffer_[65536];
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

// One field, read character by character: a whole number in plain decimal (an optional sign,
// then digits), with blanks after it. Two such numbers with blanks between them are told apart
// from other bad fields: the comma between a level number and its XP left out.
class Field {
 public:
  void add(int c) {
    // A NUL byte among the first two: the file is UTF-16 read as single bytes.
    if (c == 0 && length_ < 2) utf16Like_ = true;
    if (length_ < 2) ++length_;
    if (IsBlank(c)) {
      blankAfter_ = true;
      return;
    }
    if (blankAfter_) {
      // A blank inside the field: what follows may be a second number.
      bad_ = true;
      blankAfter_ = false;
      if (words_ < 2) ++words_;
      secondStarted_ = words_ == 1 && digits_ > 0 && !otherChar_;
    }
    if (secondStarted_) {
      if ((c == '+' || c == '-') && !secondSigned_ && secondDigits_ == 0) {
        secondSigned_ = true;
      } else if (c >= '0' && c <= '9') {
        ++secondDigits_;
      } else {
        secondStarted_ = false;
      }
      return;
    }
    if (words_ > 0) return;  // past the first word, and not a second number
    if ((c == '+' || c == '-') && !started_) {
      negative_ = c == '-';
    } else if (c >= '0' && c <= '9') {
      ++digits_;
      if (!overflow_) {
        if (value_ > (std::numeric_limits<std::int64_t>::max() - (c - '0')) / 10) {
          overflow_ = true;
        } else {
          value_ = value_ * 10 + (c - '0');
        }
      }
    } else {
      bad_ = true;
      otherChar_ = true;
    }
    started_ = true;
  }
  bool isNumber() const { return !bad_ && digits_ > 0; }
  // Two whole numbers with only blanks between them.
  bool isTwoNumbers() const { return words_ == 1 && secondStarted_ && secondDigits_ > 0; }
  bool overflow() const { return overflow_; }
  bool utf16Like() const { return utf16Like_; }
  bool negative() const { return negative_; }
  std::int64_t value() const { return negative_ ? -value_ : value_; }

 private:
  bool started_ = false;
  bool utf16Like_ = false;
  int length_ = 0;  // characters added, counted up to 2
  bool blankAfter_ = false;
  bool bad_ = false;
  bool otherChar_ = false;  // a character in the first word that is no sign or digit
  bool negative_ = false;
  bool overflow_ = false;
  int words_ = 0;  // words after the first one, counted up to 2
  bool secondStarted_ = false;
  bool secondSigned_ = false;
  std::int64_t digits_ = 0;
  std::int64_t secondDigits_ = 0;
  std::int64_t value_ = 0;
};

// The characters of a UTF-16 table, read from its bytes in either byte order. Characters outside
// ASCII, which no field may hold, all read as one byte that is no digit, sign, blank or
// separator; so does an odd byte at the end.
template <class Source>
class Utf16Source {
 public:
  Utf16Source(Source& bytes, bool littleEndian) : bytes_(bytes), littleEndian_(littleEndian) { decode(); }
  int Peek() const { return current_; }
  void Skip() { decode(); }
  bool Failed() const { return bytes_.Failed(); }

 private:
  static constexpr int kOutsideAscii = 0x80;
  void decode() {
    const int first = bytes_.Peek();
    if (first == kEnd) {
      current_ = kEnd;
      return;
    }
    bytes_.Skip();
    const int second = bytes_.Peek();
    if (second == kEnd) {
      current_ = kOutsideAscii;
      return;
    }
    bytes_.Skip();
    const int unit = littleEndian_ ? first | second << 8 : first << 8 | second;
    current_ = unit < 0x80 ? unit : kOutsideAscii;
  }
  Source& bytes_;
  bool littleEndian_;
  int current_ = kEnd;
};

template <class Source>
TableLoad ParseFields(Source& in);

// Reads the byte-order mark, if any, then the records in the encoding it names.
template <class Source>
TableLoad ParseRecords(Source& in) {
  TableLoad badStart;
  badStart.error = TableError{TableProblem::NotANumber, 1};

  // UTF-8's mark, as some Windows editors write it, is not part of the first field. A mark cut
  // short leaves a first field that is no number.
  if (in.Peek() == 0xEF) {
    in.Skip();
    if (in.Peek() != 0xBB) return badStart;
    in.Skip();
    if (in.Peek() != 0xBF) return badStart;
    in.Skip();
    return ParseFields(in);
  }
  // UTF-16's mark: FF FE for little-endian (what Windows calls "Unicode"), FE FF for big-endian.
  if (const int first = in.Peek(); first == 0xFF || first == 0xFE) {
    in.Skip();
    if (in.Peek() != (first == 0xFF ? 0xFE : 0xFF)) return badStart;
    in.Skip();
    Utf16Source<Source> characters(in, first == 0xFF);
    return ParseFields(characters);
  }
  return ParseFields(in);
}

template <class Source>
TableLoad ParseFields(Source& in) {
  TableLoad result;
  auto fail = [&](TableProblem problem, std::int64_t line) {
    result.error = TableError{problem, line};
    return result;
  };

  std::int64_t line = 1;
  std::int64_t fields = 0;
  std::int64_t levelNumberLine = 0;
  Xp previous = 0;

  for (int c = in.Peek(); c != kEnd; c = in.Peek()) {
    if (IsBlank(c)) {
      in.Skip();
      continue;
    }
    if (IsLineEnd(c)) {
      in.Skip();
      if (c == '\r' && in.Peek() == '\n') in.Skip();
      ++line;
      continue;
    }
    if (c == ',') return fail(TableProblem::EmptyField, line);

    // One field: up to the next comma or line end. The comma separates it from the next field.
    Field field;
    for (c = in.Peek(); c != kEnd && c != ',' && !IsLineEnd(c); c = in.Peek()) {
      field.add(c);
      in.Skip();
    }
    if (c == ',') in.Skip();
    // Where a record begins, two numbers are a level number and its XP with the comma left out.
    if (fields % 2 == 0 && field.isTwoNumbers()) return fail(TableProblem::NoSeparator, line);
    if (!field.isNumber()) {
      if (fields == 0 && field.utf16Like()) return fail(TableProblem::Utf16WithoutMark, line);
      return fail(TableProblem::NotANumber, line);
    }

    if (fields % 2 == 0) {
      // Level number: read and ignored, but it must be a 16-bit whole number.
      if (field.overflow() || field.value() < -32768 || field.value() > 32767) {
        return fail(TableProblem::LevelNumberRange, line);
      }
      levelNumberLine = line;
    } else {
      if (field.overflow()) return fail(field.negative() ? TableProblem::Negative : TableProblem::TooLarge, line);
      const Xp value = field.value();
      if (value < 0) return fail(TableProblem::Negative, line);
      if (value > kMaxTableXp) return fail(TableProblem::TooLarge, line);
      if (result.table.levelCount() > 0 && value <= previous) return fail(TableProblem::NotIncreasing, line);
      result.table.append(value);
      previous = value;
      if (result.table.levelCount() == kMaxRecords) return result;  // the rest is ignored
    }
    ++fields;
  }

  if (in.Failed()) {
    result.error = TableError{TableProblem::Unreadable, 0, ReadFailure::ReadError};
    return result;
  }
  if (fields % 2 == 1) return fail(TableProblem::IncompleteRecord, levelNumberLine);
  if (result.table.levelCount() == 0) return fail(TableProblem::Empty, 0);
  return result;
}

}  // namespace

TableLoad ParseLevelTable(std::string_view text) {
  TextSource source(text);
  return ParseRecords(source);
}

#if defined(_WIN32)
namespace {

// Paths are UTF-8 throughout the program. Windows' narrow file functions read them in the ANSI
// code page, which would miss a program folder under a user name outside that code page: the
// file is opened by its UTF-16 name. Bytes that are not UTF-8 give an empty name, which no file
// has.
std::wstring WidePath(const std::string& path) { return Wide(path); }
// The longest path Windows' file functions take.
constexpr std::size_t kLongestWidePath = 32767;

}  // namespace
#endif

namespace {

// What an error number from opening or examining a file says about it.
ReadFailure FailureOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return ReadFailure::AccessDenied;
    case EISDIR: return ReadFailure::Folder;
#if defined(ELOOP)
    case ELOOP: return ReadFailure::LinkLoop;
#endif
    case ENAMETOOLONG: return ReadFailure::NameTooLong;
    case EMFILE:
    case ENFILE: return ReadFailure::TooManyFilesOpen;
    case ENOMEM: return ReadFailure::OutOfMemory;
    case EIO: return ReadFailure::ReadError;
    default: return ReadFailure::Unknown;
  }
}

}  // namespace

TableLoad LoadLevelTable(const std::string& path) {
  TableLoad result;
#if defined(_WIN32)
  const std::wstring widePath = WidePath(path);
  struct _stat64 info {};
  int statResult = -1;
  if (widePath.size() > kLongestWidePath)
    errno = ENAMETOOLONG;
  else
    statResult = widePath.empty() ? (errno = ENOENT, -1) : ::_wstat64(widePath.c_str(), &info);
#else
  struct stat info {};
  const int statResult = ::stat(path.c_str(), &info);
#endif
  if (statResult != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      result.error = TableError{TableProblem::Missing, 0};
    } else {
      result.error = TableError{TableProblem::Unreadable, 0, FailureOf(errno), errno};
    }
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    const ReadFailure reason = S_ISDIR(info.st_mode) ? ReadFailure::Folder : ReadFailure::NotRegularFile;
    result.error = TableError{TableProblem::Unreadable, 0, reason};
    return result;
  }
#if defined(_WIN32)
  std::FILE* file = ::_wfopen(widePath.c_str(), L"rb");
#else
  std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
  if (file == nullptr) {
    result.error = TableError{TableProblem::Unreadable, 0, FailureOf(errno), errno};
    return result;
  }
  FileSource source(file);
  result = ParseRecords(source);
  std::fclose(file);
  return result;
}

}  // namespace quorvane
