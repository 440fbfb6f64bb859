// The text of one decimal number, parsed once into a plain struct and then
// converted. The scanners (scale arguments, point lines) decide which
// characters form the number; the conversion is the same for all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vertigrow {

// Explicit exponents are clamped to this magnitude while they are scanned, so
// that no exponent text, however many digits it has, overflows an integer.
// Any value this far out is already an infinity or a zero, and no text we are
// handed is long enough for its digit count to pull it back.
inline constexpr std::int64_t kExponentClamp = 1'000'000'000;

// The most digits a 64-bit significand always holds: 10^19 - 1 < 2^64.
inline constexpr std::size_t kMaxSignificandDigits = 19;

struct DecimalText {
  bool negative = false;
  std::string_view integer;   // the ASCII digits before the decimal point (may be empty)
  std::string_view fraction;  // the ASCII digits after the decimal point (may be empty)
  std::int64_t exponent = 0;  // the explicit power of ten, within +-kExponentClamp

  // The digits of integer and fraction read as one integer, gathered by the
  // scanners as they pass over the digits. has_significand says that it holds
  // them: the scanners set it when there are at most kMaxSignificandDigits of
  // them. A text put together by other means may leave both alone; the
  // conversion then reads the digits itself.
  std::uint64_t significand = 0;
  bool has_significand = false;
};

}  // namespace vertigrow
