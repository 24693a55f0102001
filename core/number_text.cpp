#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

// Where the C++ library cannot convert floating-point numbers with <charconv> (or when
// QUORVANE_NUMBER_TEXT_FALLBACK forces it, to compare the two), the C library converts them, with
// its decimal point swapped for '.' both ways so that the text does not depend on the locale.
#if !defined(__cpp_lib_to_chars) || defined(QUORVANE_NUMBER_TEXT_FALLBACK)
#define QUORVANE_NUMBER_TEXT_C_LIBRARY 1
#include <clocale>
#include <cstdio>
#include <cstdlib>
#endif

namespace quorvane {

namespace {

#ifdef QUORVANE_NUMBER_TEXT_C_LIBRARY
// The locale's decimal point ("." or "," mostly; a longer text in a few locales).
std::string_view LocaleDecimalPoint() {
  const char* point = std::localeconv()->decimal_point;
  return point && *point ? point : ".";
}

// printf's text for `value` in `format` (one conversion of a double), with '.' as the point.
std::string PrintDouble(const char* format, double value) {
  char buffer[400];
  const int length = std::snprintf(buffer, sizeof buffer, format, value);
  std::string text(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
  const std::string_view point = LocaleDecimalPoint();
  if (point != ".") {
    if (const std::size_t at = text.find(point); at != std::string::npos) text.replace(at, point.size(), ".");
  }
  return text;
}
#endif

// The text of a double as printf's "%.15g" or, with `fixed`, "%.0f" writes it in the C locale.
std::string DoubleText(double value, bool fixed) {
#ifdef QUORVANE_NUMBER_TEXT_C_LIBRARY
  return PrintDouble(fixed ? "%.0f" : "%.15g", value);
#else
  char buffer[400];
  const auto result = fixed ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
                            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, result.ptr);
#endif
}

// The double nearest to `digits` (digits with at most one '.', at least one digit), or +inf
// or 0 when it lies beyond a double's range.
double ReadDecimal(std::string_view digits, bool wholePartZero) {
  double value = 0.0;
#ifdef QUORVANE_NUMBER_TEXT_C_LIBRARY
  std::string text(digits);
  if (const std::size_t at = text.find('.'); at != std::string::npos) text.replace(at, 1, LocaleDecimalPoint());
  value = std::strtod(text.c_str(), nullptr);
  // Beyond a double's range strtod gives HUGE_VAL and below it 0, where from_chars reports a
  // range error: both read as from_chars' range error does.
  if (std::isinf(value) || value == 0.0) value = wholePartZero ? 0.0 : std::numeric_limits<double>::infinity();
#else
  const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
  if (parsed.ec == std::errc::result_out_of_range) {
    // Too many digits for a double: huge when the whole part is not zero, else too small to matter.
    value = wholePartZero ? 0.0 : std::numeric_limits<double>::infinity();
  }
#endif
  return value;
}

}  // namespace

std::string FormatPlain(std::int64_t value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string FormatPlain(double value) {
  if (std::isfinite(value) && std::fabs(value) >= 1e15) return DoubleText(std::round(value), true);
  return DoubleText(value, false);
}

std::string GroupDigits(std::string_view plain) {
  std::string sign;
  if (!plain.empty() && plain.front() == '-') {
    sign = "-";
    plain.remove_prefix(1);
  }
  const std::size_t r = plain.size() % 3;
  std::string caption(plain.substr(0, r));
  for (std::size_t i = r; i < plain.size(); i += 3) {
    if (!caption.empty()) caption += '.';
    caption += plain.substr(i, 3);
  }
  return sign + caption;
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u >= 0x80;
}
}  // namespace

FieldNumber ReadFieldNumber(std::string_view text, bool allowFraction) {
  FieldNumber out;
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return out;  // Empty

  for (char c : text) {
    if (IsLetter(c)) {
      out.status = NumberStatus::Letters;
      return out;
    }
  }

  bool negative = false;
  std::string_view body = text;
  if (body.front() == '+' || body.front() == '-') {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  std::size_t intDigits = 0;
  while (intDigits < body.size() && IsDigit(body[intDigits])) ++intDigits;
  std::size_t fracDigits = 0;
  bool point = false;
  if (intDigits < body.size() && body[intDigits] == '.') {
    point = true;
    while (intDigits + 1 + fracDigits < body.size() && IsDigit(body[intDigits + 1 + fracDigits])) ++fracDigits;
  }
  const std::size_t used = intDigits + (point ? 1 + fracDigits : 0);
  if (used != body.size() || intDigits + fracDigits == 0) {
    out.status = NumberStatus::Malformed;
    return out;
  }
  if (point && !allowFraction) {
    out.status = NumberStatus::Fraction;
    return out;
  }

  out.status = NumberStatus::Ok;
  if (!point) {
    // Whole number, clamped to 64 bits.
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
    for (std::size_t i = 0; i < intDigits; ++i) {
      const auto digit = static_cast<std::uint64_t>(body[i] - '0');
      if (magnitude > (limit - digit) / 10) {
        out.tooLarge = true;
        magnitude = limit;
        break;
      }
      magnitude = magnitude * 10 + digit;
    }
    out.whole = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  }
  bool wholePartZero = true;
  for (std::size_t i = 0; i < intDigits; ++i) wholePartZero = wholePartZero && body[i] == '0';
  const double value = ReadDecimal(body, wholePartZero);
  out.value = negative ? -value : value;
  if (point) {
    const double clamped = std::fmax(std::fmin(out.value, 9.2e18), -9.2e18);
    out.whole = static_cast<std::int64_t>(clamped);
  }
  return out;
}

}  // namespace quorvane
