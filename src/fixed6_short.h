// Short path: the magnitudes most coordinates have, 2^-11 <= value < 2^26,
// with a few multiplies and no division.
//
// value = m * 2^-s with 2^52 <= m < 2^53 and 27 <= s <= 63. The steps:
//
//  1. Split at the binary point, exactly: the integer part I = m >> s and the
//     fraction f = m << (64 - s), in units of 2^-64.
//  2. Both rounding steps as one. Let E be the digit count before the point
//     (10^(E-1) <= value < 10^E) and k = 11 - E. The first step gives
//     D = floor(value * 10^(17-E) + 1/2), the second R = floor((D + h) / 10^k)
//     with h = 10^k / 2, an integer. As D + h = floor(value * 10^(17-E) + 1/2 + h)
//     and floor(floor(x) / n) = floor(x / n) for integers n,
//         R = floor(value * 10^6 + 1/2 + b),  b = 1 / (2 * 10^k).
//     Here value < 2^26 < 10^8, so E <= 8, k >= 3 and b * 2^64 < 2^54. Write
//     f * 10^6 = F * 2^64 + L (F: the six decimals cut off, L: the rest). Then
//     b only matters when L lies in the band [2^63 - 2^54, 2^63), where this
//     path gives up and leaves the value to the general path; elsewhere
//     R = I * 10^6 + floor((f * 10^6 + 2^63) / 2^64).
//  3. That rounding as an addition to the fraction: g = f + C with
//     C = ceil(2^63 / 10^6), so g * 10^6 = f * 10^6 + 2^63 + e with
//     e = C * 10^6 - 2^63 = 224192, which moves the floor only for L in
//     [2^63 - e, 2^63), inside the band. A carry out of f + C goes into I.
//  4. The decimals floor(g * 10^6 / 2^64), two at a time: g * 100 has the
//     first pair in its high 64 bits and the rest of the fraction in its low
//     64 bits, and so on three times. The last low word is
//     g * 10^6 mod 2^64 = L + 2^63 + e mod 2^64, which tells the band.
//  5. I's digits the same way. With n its digit count, u = I * ceil(2^64 / 10^n)
//     is I / 10^n in units of 2^-64 (below 2^64), too large by less than
//     I < 10^n units. Each multiply by 100 moves the next pair of
//     I * 10^(8-n), I's digits followed by zeros, into the high word. After j
//     of them the excess is below 10^n * 100^j / 2^64 of a unit there, less
//     than 1 and than 10^(2j-n), the smallest nonzero fraction left then (as
//     10^16 < 2^64): it never reaches a pair. n comes from s: I, after a
//     carry, lies in [2^(52-s), 2^(53-s)] ([0, 1] for s >= 53), a range too
//     short for two powers of ten, so n is the digit count of its lower end,
//     plus one from the next power of ten on.
//  6. The text: the first six of those digits, or all eight when n > 6, of
//     which the first n count; ".", written over the rest; the three pairs
//     of decimals.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fixed6_digits.h"
#include "fixed6_u128.h"

namespace vertigrow {

// The range of s, the shift that takes the 53-bit significand m to the value.
inline constexpr unsigned kShortMinShift = 27;  // value < 2^53 / 2^27 = 2^26
inline constexpr unsigned kShortMaxShift = 63;  // value >= 2^52 / 2^63 = 2^-11

// The integer part's digit count for each shift s (step 5).
struct IntegerDigits {
  struct Entry {
    std::uint32_t next_power_of_10;  // I from here on has one digit more
    std::uint32_t digits;            // of the smallest I for this s
  };
  Entry entry[kShortMaxShift - kShortMinShift + 1];
  // ceil(2^64 / 10^n) for n = 1 ... 8, at [n]; 2^64 / 10^n is no integer.
  std::uint64_t inverse_power_of_10[9];

  constexpr IntegerDigits() : entry(), inverse_power_of_10() {
    for (unsigned s = kShortMinShift; s <= kShortMaxShift; ++s) {
      // The smallest I: 2^(52-s) for values of 1 and more, else 0.
      const std::uint32_t low = s <= 52 ? std::uint32_t{1} << (52 - s) : 0;
      std::uint32_t digits = 1, power = 10;
      while (low >= power) {
        ++digits;
        power *= 10;
      }
      entry[s - kShortMinShift] = {power, digits};
    }
    std::uint64_t power = 1;
    for (int n = 1; n <= 8; ++n) {
      power *= 10;
      inverse_power_of_10[n] = ~std::uint64_t{0} / power + 1;
    }
  }
};
inline constexpr IntegerDigits kIntegerDigits;

// Writes m * 2^-shift (2^52 <= m < 2^53, shift in [kShortMinShift,
// kShortMaxShift]) like fixed6_exact_magnitude and sets end to the end of
// the text, or returns false, writing nothing, when the rounding depends on
// more than this path looks at.
inline bool fixed6_short_magnitude(std::uint64_t m, unsigned shift, char* out, char*& end) {
  constexpr std::uint64_t kMillion = 1'000'000;
  constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
  constexpr std::uint64_t kRoundUp = kHalf / kMillion + 1;        // C: 2^63 / 10^6 is no integer
  constexpr std::uint64_t kExcess = kRoundUp * kMillion - kHalf;  // e
  static_assert(kExcess == 224'192);
  constexpr int kBandBits = 54;  // the band is [2^63 - 2^54, 2^63)

  // Step 1.
  std::uint64_t integer_part = m >> shift;
  const std::uint64_t fraction = m << (64 - shift);

  // Step 3.
  const std::uint64_t rounded = fraction + kRoundUp;
  integer_part += rounded < fraction ? 1 : 0;

  // Step 4's band, from the last low word, g * 10^6 mod 2^64, in one
  // multiply; after the subtraction of e the band is the top 2^54 values.
  if (((rounded * kMillion - kExcess) >> kBandBits) == (~std::uint64_t{0} >> kBandBits)) {
    return false;
  }

  // Step 5.
  const IntegerDigits::Entry& digits = kIntegerDigits.entry[shift - kShortMinShift];
  const std::size_t n = digits.digits + (integer_part >= digits.next_power_of_10 ? 1 : 0);

  // Step 6. The digits written after the first n lie where the point and the
  // decimals go, which are written after them. The low word after j
  // multiplies by 100 is also the fraction times 100^j mod 2^64, which is how
  // the decimals take it.
  const U128 integer12 = multiply_u128(integer_part * kIntegerDigits.inverse_power_of_10[n], 100);
  write_pair(out, integer12.high);
  const U128 integer34 = multiply_u128(integer12.low, 100);
  write_pair(out + 2, integer34.high);
  const U128 integer56 = multiply_u128(integer34.low, 100);
  write_pair(out + 4, integer56.high);
  if (n > 6) write_pair(out + 6, multiply_u128(integer56.low, 100).high);
  char* const point = out + n;
  *point = '.';
  write_pair(point + 1, multiply_u128(rounded, 100).high);
  write_pair(point + 3, multiply_u128(rounded * 100, 100).high);
  write_pair(point + 5, multiply_u128(rounded * 10'000, 100).high);
  end = point + 7;
  return true;
}

}  // namespace vertigrow
