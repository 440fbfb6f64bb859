// The fast path of the decimal to binary64 conversion. Steps:
//  1. The significant digits as a 64-bit integer w: the significand the
//     scanner gathered, or, for a text without one, the digits read here
//     while there are at most 19 of them after the leading zeros (10^19 - 1 <
//     2^64); more: give up. The value is w x 10^e with e the explicit exponent
//     less the number of fraction digits.
//  2. -22 <= e <= 0 with w < 2^53, the common case: w and 10^-e are exact
//     doubles (5^22 < 2^53), so the division w / 10^-e is one correctly
//     rounded operation (exact for e = 0), and dividing by -10^-e instead
//     gives the text's sign. Its ties-to-even never meets a tie: a halfway
//     point between two doubles of the normal range is an odd integer h >=
//     2^53 + 1 times 2^g. If w / 10^k = h x 2^g, then w = h x 5^k x 2^(g+k);
//     h x 5^k is odd and above 2^54 for k >= 1, so that is an integer below
//     2^53 for no g. The quotient is at least 10^-22, far from the
//     subnormals. This step is taken only where double arithmetic is exact
//     binary64 (FLT_EVAL_METHOD == 0; not so with x87 extended precision,
//     where the result could be rounded twice) and relies on the default
//     rounding mode, to nearest. The inline part of decimal_to_double, and the
//     point-line scanner for its short numbers, take this step alone.
//  3. w = 0: a zero with the text's sign.
//  4. e >= 0: w x 10^e = (w x 5^e) x 2^e. When m = w x 5^e fits in 64 bits,
//     round m to 53 significant bits in integer arithmetic, ties to the smaller
//     magnitude, and scale by a power of two. Every floating-point step is exact
//     (a conversion of an integer below 2^54 with at most 53 significant bits,
//     and a product by a power of two far from overflow), so this needs no
//     guard.
//  5. Anything else: give up.
#include "decimal_fast_path.h"

#include <bit>
#include <cstdint>
#include <string_view>

namespace vertigrow::detail {
namespace {

// 5^0 .. 5^27, the powers of five below 2^64.
constexpr std::uint64_t kPowersOf5[] = {1,
                                        5,
                                        25,
                                        125,
                                        625,
                                        3125,
                                        15625,
                                        78125,
                                        390625,
                                        1953125,
                                        9765625,
                                        48828125,
                                        244140625,
                                        1220703125,
                                        6103515625,
                                        30517578125,
                                        152587890625,
                                        762939453125,
                                        3814697265625,
                                        19073486328125,
                                        95367431640625,
                                        476837158203125,
                                        2384185791015625,
                                        11920928955078125,
                                        59604644775390625,
                                        298023223876953125,
                                        1490116119384765625,
                                        7450580596923828125};
constexpr int kMaxPowerOf5 = 27;

// Appends the digits to w, leading zeros skipped, counting them in count.
// Returns false once there are more than kMaxSignificandDigits.
bool append_digits(std::string_view digits, std::uint64_t& w, std::size_t& count) {
  for (const char c : digits) {
    const unsigned digit = static_cast<unsigned>(c - '0');
    if (count == 0 && digit == 0) continue;
    if (count == kMaxSignificandDigits) return false;
    w = w * 10 + digit;
    ++count;
  }
  return true;
}

}  // namespace

bool decimal_to_double_fast(const DecimalText& text, double* out) {
  // Step 1.
  std::uint64_t w = text.significand;
  if (!text.has_significand) {
    w = 0;
    std::size_t count = 0;
    if (!append_digits(text.integer, w, count) || !append_digits(text.fraction, w, count)) {
      return false;
    }
  }
  // Within +-(kExponentClamp + a text length): no overflow.
  const std::int64_t e = text.exponent - static_cast<std::int64_t>(text.fraction.size());

  // Step 2.
  if (e <= 0 && divide_by_power_of_10(w, static_cast<std::uint64_t>(-e), text.negative, out)) {
    return true;
  }

  // Step 3.
  if (w == 0) {
    *out = text.negative ? -0.0 : 0.0;
    return true;
  }

  // Step 4.
  if (e >= 0) {
    if (e > kMaxPowerOf5) return false;
    const std::uint64_t power = kPowersOf5[e];
    if (w > UINT64_MAX / power) return false;
    std::uint64_t m = w * power;
    int scale = static_cast<int>(e);
    const int width = std::bit_width(m);
    if (width > 53) {
      const int drop = width - 53;
      const std::uint64_t rest = m & ((std::uint64_t{1} << drop) - 1);
      const std::uint64_t half = std::uint64_t{1} << (drop - 1);
      m >>= drop;
      if (rest > half) ++m;  // at most 2^53, still exact
      scale += drop;
    }
    // scale <= 27 + 11: the power of two is an exact 64-bit integer.
    const double sign = text.negative ? -1.0 : 1.0;
    *out = sign * static_cast<double>(m) * static_cast<double>(std::uint64_t{1} << scale);
    return true;
  }

  return false;  // Step 5.
}

}  // namespace vertigrow::detail
