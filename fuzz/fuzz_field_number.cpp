// Reads arbitrary text the way the input fields are read, as a whole number and with a
// fraction allowed, and compares the outcome with a plain reference reading. Also checks that
// every whole number reads back from its plain text and that its grouping keeps its digits.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "core/level_table.h"
#include "core/number_text.h"

using namespace quorvane;

namespace {

[[noreturn]] void Violation(const char* what, std::string_view text) {
  std::fprintf(stderr, "INVARIANT BROKEN: %s for \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the text should read as: blanks around it are ignored; a letter or any byte outside
// ASCII makes it letters; otherwise it must be a sign, digits and perhaps one '.' with digits.
NumberStatus Expected(std::string_view t, bool allowFraction) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  if (t.empty()) return NumberStatus::Empty;
  for (char c : t) {
    const auto u = static_cast<unsigned char>(c);
    if ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') return NumberStatus::Letters;
    if (u >= 0x80) return NumberStatus::Letters;
  }
  if (t.front() == '+' || t.front() == '-') t.remove_prefix(1);
  std::size_t digits = 0;
  int points = 0;
  for (char c : t) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == '.') {
      ++points;
    } else {
      return NumberStatus::Malformed;
    }
  }
  if (digits == 0 || points > 1) return NumberStatus::Malformed;
  if (points == 1 && !allowFraction) return NumberStatus::Fraction;
  return NumberStatus::Ok;
}

void CheckReading(std::string_view text, bool allowFraction) {
  const FieldNumber n = ReadFieldNumber(text, allowFraction);
  if (n.status != Expected(text, allowFraction)) Violation("unexpected status", text);
  if (n.status != NumberStatus::Ok) return;

  std::string t(text);
  t.erase(0, t.find_first_not_of(" \t"));
  t.erase(t.find_last_not_of(" \t") + 1);
  const bool negative = t[0] == '-';
  const std::string body = (t[0] == '+' || t[0] == '-') ? t.substr(1) : t;
  const std::size_t point = body.find('.');

  if (point == std::string::npos) {
    // The whole number, clamped to 64 bits.
    unsigned __int128 magnitude = 0;
    bool huge = false;
    for (char c : body) {
      magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
      if (magnitude > (static_cast<unsigned __int128>(1) << 64)) {
        huge = true;
        break;
      }
    }
    const unsigned __int128 limit =
        negative ? (static_cast<unsigned __int128>(1) << 63) : (static_cast<unsigned __int128>(1) << 63) - 1;
    const bool tooLarge = huge || magnitude > limit;
    if (n.tooLarge != tooLarge) Violation("tooLarge is wrong", text);
    const unsigned __int128 clamped = tooLarge ? limit : magnitude;
    const std::int64_t whole =
        negative ? static_cast<std::int64_t>(-static_cast<__int128>(clamped)) : static_cast<std::int64_t>(clamped);
    if (n.whole != whole) Violation("wrong whole value", text);
    if (!tooLarge && std::fabs(static_cast<double>(whole)) < 9007199254740992.0 &&
        n.value != static_cast<double>(whole)) {
      Violation("value differs from the whole number", text);
    }
  }
  // The value, correctly rounded (the C library reads the same form in the "C" locale).
  const double reference = std::strtod(t.c_str(), nullptr);
  if (std::isinf(reference)) {
    if (n.value != reference) Violation("a huge number is not infinite", text);
  } else if (std::fabs(reference) < std::numeric_limits<double>::min()) {
    if (n.value != 0.0 && n.value != reference) Violation("a tiny number is misread", text);
  } else if (n.value != reference) {
    Violation("value differs from the reference reading", text);
  }
  if (std::isfinite(n.value)) {
    const double r = RoundHalfEven(n.value);
    if (r != std::floor(r) || std::fabs(r - n.value) > 0.5) Violation("rounding is not to the nearest", text);
    if (std::fabs(r - n.value) == 0.5 && std::fmod(r, 2.0) != 0.0) Violation("a half is not rounded to even", text);
  }

  // Plain text of the whole number reads back; grouping keeps the digits in threes.
  const std::string plain = FormatPlain(n.whole);
  const FieldNumber back = ReadFieldNumber(plain, false);
  if (back.status != NumberStatus::Ok || back.whole != n.whole) Violation("plain text does not read back", text);
  const std::string grouped = GroupDigits(plain);
  std::string ungrouped;
  std::size_t run = 0;
  for (std::size_t i = 0; i < grouped.size(); ++i) {
    if (grouped[i] == '.') {
      if (run == 0 || run > 3) Violation("bad digit group", text);
      run = 0;
    } else {
      ungrouped += grouped[i];
      if (IsDigit(grouped[i])) ++run;
    }
  }
  if (ungrouped != plain) Violation("grouping changed the digits", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckReading(text, false);
  CheckReading(text, true);
  return 0;
}
