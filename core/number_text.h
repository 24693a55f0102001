#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

// Plain number text: general decimal form, no thousands separator, no exponent, at most 15
// significant digits. Independent of the process locale.
std::string FormatPlain(std::int64_t value);
std::string FormatPlain(double value);

// Puts "." between groups of three digits, whatever the locale: "25227500" -> "25.227.500".
// A leading minus sign stays in front of the first group: "-123456" -> "-123.456".
std::string GroupDigits(std::string_view plain);

// How a text typed into a number field reads.
enum class NumberStatus {
  Ok,
  Empty,      // nothing but blanks
  Letters,    // holds a letter (or any non-ASCII character)
  Malformed,  // holds no letter but is not a plain decimal number ("-", ".", "1,5", "1 2")
  Fraction,   // a decimal point where only whole numbers are accepted
};

struct FieldNumber {
  NumberStatus status = NumberStatus::Empty;
  // Whole numbers: the value, clamped to the 64-bit range; `tooLarge` says it was clamped.
  std::int64_t whole = 0;
  bool tooLarge = false;
  // The value as a double (always set when status is Ok; +-inf for huge decimals).
  double value = 0.0;
};

// Reads a plain decimal number: optional blanks around it, an optional sign, digits and,
// when `allowFraction`, an optional '.' with more digits. '.' is the decimal point whatever
// the locale; the C library's locale-dependent conversions are not used.
FieldNumber ReadFieldNumber(std::string_view text, bool allowFraction);

}  // namespace quorvane
