// Prints FormatPlain and ReadFieldNumber for a fixed, seeded set of inputs, one line each. Built
// with the C++ library's conversions, with the C library's (QUORVANE_NUMBER_TEXT_FALLBACK) and
// with emscripten; the outputs must be byte-identical. Doubles are printed by their bits, so
// that no line depends on the conversions under test. The program runs in the locale of its
// environment (LC_ALL), whose decimal point must not show.
// Usage: number_text_dump [COUNT]   (COUNT inputs of each kind; default 12000)
#include <cinttypes>
#include <clocale>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <iterator>
#include <string>

#include "core/number_text.h"

using namespace quorvane;

namespace {

// std::mt19937_64 is the same everywhere; the library's distributions are not, so none is used,
// and every draw is a statement of its own (compilers evaluate operands in different orders).
std::mt19937_64 rng(20261208);
std::uint64_t Below(std::uint64_t n) { return rng() % n; }

template <typename To, typename From>
To BitCast(From from) {
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

std::int64_t Whole() {
  switch (Below(4)) {
    case 0: return static_cast<std::int64_t>(rng());  // any 64 bits
    case 1: return static_cast<std::int64_t>(Below(1000)) - 500;
    default: {
      const unsigned shift = static_cast<unsigned>(Below(64));
      const auto magnitude = static_cast<std::int64_t>(rng() >> shift);
      return Below(2) ? -magnitude : magnitude;
    }
  }
}

const double kPowers[] = {1e-300, 1e-30, 1e-16, 1e-6, 1e-5, 1e-4, 1e-2, 1, 1e2, 1e6, 1e14, 1e15, 1e16, 1e21, 1e300};

double Double() {
  const double unit = static_cast<double>(rng() >> 11) / 9007199254740992.0;  // [0, 1)
  const double sign = Below(4) == 0 ? -1.0 : 1.0;
  switch (Below(7)) {
    case 0: {  // any finite double
      const double d = BitCast<double>(rng());
      return std::isfinite(d) ? d : unit;
    }
    case 1: return sign * unit * kPowers[Below(std::size(kPowers))];
    case 2: return sign * static_cast<double>(Below(1ull << Below(64)));          // whole, all magnitudes
    case 3: return sign * (static_cast<double>(Below(1ull << Below(53))) + 0.5);  // halves
    case 4: return sign * (1e15 + (unit - 0.5) * 4);                              // at the switch to fixed
    case 5: return static_cast<double>(Below(100000000)) * 0.010284;              // gold of maces
    default: {
      const double numerator = static_cast<double>(Below(100000000));
      return sign * numerator / static_cast<double>(1 + Below(1000));
    }
  }
}

// A text as typed into a field: mostly numbers, some long or odd, some not numbers at all.
std::string FieldText() {
  static const char kChars[] = "0123456789012345678901234567890123456789..+- \t,ea";
  std::string text;
  switch (Below(4)) {
    case 0: {
      const std::size_t length = Below(12);
      for (std::size_t i = 0; i < length; ++i) text += kChars[Below(sizeof kChars - 1)];
      return text;
    }
    case 1: {  // long digit strings, beyond a double's range or precision on either side
      text = Below(2) ? "-" : "";
      const std::size_t length = Below(3) == 0 ? 0 : Below(330);
      text += std::string(length, Below(2) ? '0' : '9');
      text += Below(3) == 0 ? std::string("0") : std::to_string(rng());
      if (Below(2)) {
        text += "." + std::string(Below(330), '0');
        text += std::to_string(rng());
      }
      return text;
    }
    default:
      const unsigned shift = static_cast<unsigned>(Below(64));
      text = std::to_string(rng() >> shift);
      if (Below(2)) {
        const std::string digits = std::to_string(Below(1000000));
        text += "." + digits.substr(0, 1 + Below(6));
      }
      return Below(5) == 0 ? " " + text + " " : text;
  }
}

void Print(const std::string& text) { std::fputs((text + "\n").c_str(), stdout); }

std::string Bits(double d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%016" PRIx64, BitCast<std::uint64_t>(d));
  return buffer;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 12000;
  for (long i = 0; i < count; ++i) Print(FormatPlain(Whole()));
  for (long i = 0; i < count; ++i) {
    const double d = Double();
    Print(Bits(d) + " " + FormatPlain(d));
  }
  for (long i = 0; i < count; ++i) {
    const std::string text = FieldText();
    for (const bool fraction : {false, true}) {
      const FieldNumber n = ReadFieldNumber(text, fraction);
      Print(text + "|" + std::to_string(static_cast<int>(n.status)) + " " + std::to_string(n.whole) + " " +
            std::to_string(n.tooLarge) + " " + Bits(n.value));
    }
  }
  return 0;
}
