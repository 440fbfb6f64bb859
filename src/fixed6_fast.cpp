// Fast path: both rounding steps in 64-bit integers, for magnitudes below 2^53.
//
// Below 2^-24 every value prints as zero. 2^-24 < 10^-7, and rounding to 17
// significant digits cannot carry a value below 10^-7 past 10^-7 itself, a
// 17-digit number. So the first step leaves at most 1.0000000000000000e-7,
// whose seventh decimal is at most 1: the second step drops it all.
//
// For 2^-24 <= m * 2^q < 2^53 (so m >= 2^52, -76 <= q <= 0):
//
//  1. Find E, the number of digits before the point (E <= 0: -E zeros after
//     it), so that 10^(E-1) <= value < 10^E. An estimate from the binary
//     exponent is exact or one too small, which step 2 detects.
//  2. Scale to 17 digits: X = value * 10^p with p = 17 - E lies in
//     [10^16, 10^17). value * 10^p = m * 5^p * 2^(q+p); m * 5^p takes a
//     64x64->128-bit product (p <= 24, so 5^p < 2^56, m * 5^p < 2^109) and
//     the power of two a shift. The first rounding step is the bit shifted out
//     last: D = floor(X) + (that bit), which is to nearest, ties up. D may be
//     10^17; the arithmetic below still gives the right text.
//  3. Second rounding: D carries 17 - E decimals. For E <= 11 that is 6 or
//     more: R = (D + half) / 10^(11 - E) is the value times 10^6, rounded
//     half-up. For E >= 12 there are fewer than 6 decimals, nothing to drop,
//     and the rest are zeros.
//  4. Write the integer part, ".", and six decimals, two digits at a time.
//
// Nothing here is approximate, so this path never needs to give up on a
// value in its range.
#include "fixed6_fast.h"

#include <cstdint>
#include <cstring>

#include "fixed6_digits.h"
#include "fixed6_u128.h"

namespace vertigrow {
namespace {

constexpr int kSignificantDigits = 17;
constexpr int kDecimals = 6;
// Binary exponents of the range: m * 2^q with m in [2^52, 2^53).
constexpr int kZeroBelowExponent = -24 - kFractionBits;  // q below this: value < 2^-24
constexpr int kMaxExponent = 0;                          // q above this: value >= 2^53

constexpr std::uint64_t kPow10[19] = {
    1,
    10,
    100,
    1'000,
    10'000,
    100'000,
    1'000'000,
    10'000'000,
    100'000'000,
    1'000'000'000,
    10'000'000'000,
    100'000'000'000,
    1'000'000'000'000,
    10'000'000'000'000,
    100'000'000'000'000,
    1'000'000'000'000'000,
    10'000'000'000'000'000,
    100'000'000'000'000'000,
    1'000'000'000'000'000'000,
};

// 5^p for p = 0..24; 5^24 = 59604644775390625 < 2^64.
constexpr std::uint64_t kPow5[25] = {
    1ULL,
    5ULL,
    25ULL,
    125ULL,
    625ULL,
    3125ULL,
    15625ULL,
    78125ULL,
    390625ULL,
    1953125ULL,
    9765625ULL,
    48828125ULL,
    244140625ULL,
    1220703125ULL,
    6103515625ULL,
    30517578125ULL,
    152587890625ULL,
    762939453125ULL,
    3814697265625ULL,
    19073486328125ULL,
    95367431640625ULL,
    476837158203125ULL,
    2384185791015625ULL,
    11920928955078125ULL,
    59604644775390625ULL,
};

struct Scaled {
  std::uint64_t floor;  // floor(m * 2^q * 10^p)
  bool half;            // the first bit below the point: fraction >= 1/2
};

// m * 2^q * 10^p = m * 5^p * 2^(q+p), for p = 17 - E or one more. Over this
// path's range (-76 <= q <= 0) the shift q + p lies in [-53, 1], and the
// result is below 10^18.
inline Scaled scale(std::uint64_t m, int q, int p) {
  const U128 n = multiply_u128(m, kPow5[p]);
  const int shift = q + p;
  if (shift >= 0) return {n.low << shift, false};
  const int s = -shift;  // 1 ... 53
  return {(n.low >> s) | (n.high << (64 - s)), ((n.low >> (s - 1)) & 1) != 0};
}

// Two digits at a time, backwards from end.
inline void write_digits(std::uint64_t value, char* end, int count) {
  while (count >= 2) {
    const auto pair = static_cast<unsigned>(value % 100);
    value /= 100;
    end -= 2;
    write_pair(end, pair);
    count -= 2;
  }
  if (count == 1) *--end = static_cast<char>('0' + value % 10);
}

inline int count_digits(std::uint64_t value) {
  int count = 1;
  while (count < 19 && value >= kPow10[count]) ++count;
  return count;
}

}  // namespace

bool fixed6_fast_magnitude(ScaledSignificand value, char* out, std::size_t& length) {
  const std::uint64_t m = value.significand;
  const int q = value.exponent;
  if (q > kMaxExponent) return false;
  if (q < kZeroBelowExponent) {
    std::memcpy(out, "0.000000", 8);
    length = 8;
    return true;
  }

  // Step 1. With b = q + 52 = floor(log2 value), 10^floor(b log10 2) <= value;
  // floor(b * 78913 / 2^18) equals floor(b log10 2) for |b| < 1651 (78913 / 2^18
  // is log10 2 rounded down; here -24 <= b <= 52), and the shift of a negative
  // number rounds down.
  const int binary_exponent = q + kFractionBits;
  const int digits_before_point = ((binary_exponent * 78913) >> 18) + 1;

  // Step 2.
  int p = kSignificantDigits - digits_before_point;
  Scaled x = scale(m, q, p);
  if (x.floor >= kPow10[kSignificantDigits]) x = scale(m, q, --p);  // value >= 10^E: E + 1
  const std::uint64_t d = x.floor + (x.half ? 1 : 0);

  // Step 3.
  std::uint64_t integer_part;
  std::uint32_t decimals;
  if (p >= kDecimals) {
    const int dropped = p - kDecimals;  // 0 ... 18
    const std::uint64_t half = dropped == 0 ? 0 : 5 * kPow10[dropped - 1];
    const std::uint64_t r = (d + half) / kPow10[dropped];
    integer_part = r / kPow10[kDecimals];
    decimals = static_cast<std::uint32_t>(r - integer_part * kPow10[kDecimals]);
  } else {
    integer_part = d / kPow10[p];
    decimals = static_cast<std::uint32_t>((d - integer_part * kPow10[p]) * kPow10[kDecimals - p]);
  }

  // Step 4.
  const int integer_digits = count_digits(integer_part);
  write_digits(integer_part, out + integer_digits, integer_digits);
  out[integer_digits] = '.';
  write_digits(decimals, out + integer_digits + 1 + kDecimals, kDecimals);
  length = static_cast<std::size_t>(integer_digits + 1 + kDecimals);
  return true;
}

}  // namespace vertigrow
