// Decimal text to binary64 by exact big-integer arithmetic: the path that
// decides every case the fast path cannot.
//
// The value is D x 10^E, D the significant digits read as an integer. Steps:
//  1. Find the first and the last nonzero digit of integer and fraction digits
//     taken as one sequence. There is none: a zero with the text's sign.
//  2. The decimal point position P, in 64 bits, puts the value in
//     [10^(P-1), 10^P). P >= 310: the value is at least 10^309 > 2^1024, so
//     infinity. P <= -324: the value is below 10^-324 < 2^-1075, less than half
//     the smallest subnormal, so zero.
//  3. Keep at most kMaxDigits significant digits as D (trailing zeros dropped),
//     and remember in a sticky flag whether a nonzero digit was cut off.
//  4. Write the value as A x 2^p / B with big integers: A = D x 5^E and B = 1
//     when E >= 0, else A = D and B = 5^-E; p = E either way, as
//     10^E = 5^E x 2^E.
//  5. The binary exponent b, 2^b <= value < 2^(b+1), from the bit lengths of A
//     and B and one comparison. b >= 1024 is infinity; b < -1075 is zero.
//  6. The quantum of the result is 2^e, e = max(b - 52, -1074) (below 2^-1022
//     the subnormals share the quantum 2^-1074). Divide to get
//     h = floor(value / 2^(e-1)), the value counted in half quanta, below 2^54,
//     and whether the division left a remainder.
//  7. Round: h / 2 quanta are kept; if the low bit of h (the half) is set and
//     there is a remainder or a cut-off digit, the value is above the halfway
//     point and rounds up. Set alone, the value is exactly halfway and stays:
//     the smaller magnitude.
//  8. Assemble the bits. A carry out of the significand moves into the exponent
//     field (the largest subnormal becomes the smallest normal, and so on), and
//     a carry out of the largest exponent gives exactly the bits of infinity.
//
// Why kMaxDigits = 800 digits decide every case: each halfway point between two
// doubles, each power of two and each double is a finite decimal with at most
// 767 significant digits. Cutting the text after its 800th significant digit
// leaves a value T with T <= value < T + u, u a unit in T's 800th digit. Any such
// boundary point X with the same leading digit position as T is a multiple of
// a coarser power of ten than u, so T < X implies value < T + u <= X, and T == X
// with a cut-off nonzero digit implies value > X. A boundary point with a leading
// digit in another position is not between T and T + u at all. So T and the
// sticky flag give the same result as the full text.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "decimal_bignum.h"
#include "decimal_to_double.h"

namespace vertigrow {
namespace {

constexpr std::size_t kMaxDigits = 800;

// The finite range of the decimal point position (steps 2 and 3).
constexpr std::int64_t kMaxPoint = 309;   // 10^309 > 2^1024 ~ 1.8e308
constexpr std::int64_t kMinPoint = -323;  // 10^-324 < 2^-1075 ~ 2.5e-324

// Binary64 layout.
constexpr int kSignificandBits = 53;  // with the implicit leading bit
constexpr int kMinQuantumExponent = -1074;
constexpr int kMaxBinaryExponent = 1023;
constexpr std::uint64_t kInfinityBits = 0x7FF0'0000'0000'0000;
constexpr std::uint64_t kSignBit = 0x8000'0000'0000'0000;

// Upper bounds on bit lengths: a number below 10^n has at most
// floor(n x 3.322) + 1 bits, as log2(10) = 3.32193 < 3.322; 5^k has at most
// floor(k x 2.322) + 1 bits, as log2(5) = 2.32193 < 2.322.
constexpr std::size_t bits_below_power_of_10(std::size_t n) {
  return n * 3322 / 1000 + 1;
}
constexpr std::size_t bits_of_power_of_5(std::size_t k) {
  return k * 2322 / 1000 + 1;
}

// The largest numbers the algorithm forms. A: D < 10^kMaxDigits, or D x 5^E
// < 10^(kMaxPoint) when E >= 0. B: 5^-E with -E = digits - P at most
// kMaxDigits - kMinPoint. In step 6 one of them is shifted so that the quotient
// h has 54 bits at most; the divisor is shifted 53 more bits during the division:
// when B is shifted, B <= A (h >= 1 as b >= -1075), so 53 bits above A;
// when A is shifted, A < B x 2^54, and B x 2^53 below that.
constexpr std::size_t kMaxBits =
    std::max(bits_below_power_of_10(kMaxDigits) + 53,
             bits_of_power_of_5(kMaxDigits - static_cast<std::size_t>(kMinPoint)) + 54);
using Bignum = detail::FixedBignum<(kMaxBits + 31) / 32>;
static_assert(bits_below_power_of_10(kMaxPoint) <= bits_below_power_of_10(kMaxDigits));

// 10^0 .. 10^9, the largest powers of ten that fit in 32 bits.
constexpr std::uint32_t kPowersOf10[] = {1,      10,      100,      1000,      10000,
                                         100000, 1000000, 10000000, 100000000, 1000000000};
// 5^0 .. 5^13, the largest powers of five that fit in 32 bits.
constexpr std::uint32_t kPowersOf5[] = {1,       5,        25,        125,       625,
                                        3125,    15625,    78125,     390625,    1953125,
                                        9765625, 48828125, 244140625, 1220703125};
constexpr std::size_t kMaxPowerOf5Step = 13;

// Integer and fraction digits as one sequence.
class Digits {
 public:
  Digits(std::string_view integer, std::string_view fraction)
      : integer_(integer), fraction_(fraction) {}
  std::size_t size() const { return integer_.size() + fraction_.size(); }
  unsigned operator[](std::size_t i) const {
    const char c = i < integer_.size() ? integer_[i] : fraction_[i - integer_.size()];
    return static_cast<unsigned>(c - '0');
  }

 private:
  std::string_view integer_;
  std::string_view fraction_;
};

// The count digits from first, as an integer: nine digits at a time.
Bignum read_digits(const Digits& digits, std::size_t first, std::size_t count) {
  Bignum value;
  std::size_t i = first;
  const std::size_t end = first + count;
  while (i < end) {
    const std::size_t chunk = std::min<std::size_t>(9, end - i);
    std::uint32_t part = 0;
    for (std::size_t j = 0; j < chunk; ++j) part = part * 10 + digits[i + j];
    value.multiply_add(kPowersOf10[chunk], part);
    i += chunk;
  }
  return value;
}

void multiply_by_power_of_5(Bignum& value, std::size_t exponent) {
  while (exponent >= kMaxPowerOf5Step) {
    value.multiply_add(kPowersOf5[kMaxPowerOf5Step], 0);
    exponent -= kMaxPowerOf5Step;
  }
  if (exponent != 0) value.multiply_add(kPowersOf5[exponent], 0);
}

// floor(log2(a / b)) for nonzero a and b.
int floor_log2_ratio(const Bignum& a, const Bignum& b) {
  // With 2^(la-1) <= a < 2^la and 2^(lb-1) <= b < 2^lb, the ratio lies in
  // (2^(la-lb-1), 2^(la-lb+1)): the answer is la-lb when a >= b x 2^(la-lb),
  // else la-lb-1.
  const std::size_t la = a.bit_length();
  const std::size_t lb = b.bit_length();
  int cmp;
  if (la >= lb) {
    Bignum shifted = b;
    shifted.shift_left(la - lb);
    cmp = compare(a, shifted);
  } else {
    Bignum shifted = a;
    shifted.shift_left(lb - la);
    cmp = compare(shifted, b);
  }
  const int difference = static_cast<int>(la) - static_cast<int>(lb);
  return cmp >= 0 ? difference : difference - 1;
}

// Returns floor(a / b), which must be below 2^54, and leaves the remainder in a.
std::uint64_t divide_small_quotient(Bignum& a, Bignum b) {
  b.shift_left(53);
  std::uint64_t quotient = 0;
  for (int bit = 53; bit >= 0; --bit) {
    if (compare(a, b) >= 0) {
      a.subtract(b);
      quotient |= std::uint64_t{1} << bit;
    }
    b.shift_right_one();
  }
  return quotient;
}

}  // namespace

double decimal_to_double_exact(const DecimalText& text) {
  const std::uint64_t sign = text.negative ? kSignBit : 0;
  const double zero = std::bit_cast<double>(sign);
  const double infinity = std::bit_cast<double>(sign | kInfinityBits);

  // Step 1.
  const Digits digits(text.integer, text.fraction);
  const std::size_t size = digits.size();
  std::size_t first = 0;
  while (first < size && digits[first] == 0) ++first;
  if (first == size) return zero;
  std::size_t last = size - 1;
  while (digits[last] == 0) --last;

  // Step 2. The lengths are far below 2^62 and the exponent within
  // +-kExponentClamp, so the sum cannot overflow.
  const std::int64_t point = static_cast<std::int64_t>(text.integer.size()) -
                             static_cast<std::int64_t>(first) + text.exponent;
  if (point > kMaxPoint) return infinity;
  if (point < kMinPoint) return zero;

  // Step 3.
  std::size_t count = last - first + 1;
  bool sticky = false;
  if (count > kMaxDigits) {
    count = kMaxDigits;
    sticky = true;  // digits[last] is nonzero and was cut off
    while (digits[first + count - 1] == 0) --count;
  }
  const std::int64_t exponent10 = point - static_cast<std::int64_t>(count);

  // Step 4.
  Bignum a = read_digits(digits, first, count);
  Bignum b(1);
  if (exponent10 >= 0) {
    multiply_by_power_of_5(a, static_cast<std::size_t>(exponent10));
  } else {
    multiply_by_power_of_5(b, static_cast<std::size_t>(-exponent10));
  }
  const int p = static_cast<int>(exponent10);  // within [kMinPoint - kMaxDigits, kMaxPoint]

  // Step 5.
  const int binary_exponent = floor_log2_ratio(a, b) + p;
  if (binary_exponent > kMaxBinaryExponent) return infinity;
  if (binary_exponent < kMinQuantumExponent - 1) return zero;

  // Step 6: h = floor(a x 2^p / b / 2^(e-1)).
  const int quantum_exponent =
      std::max(binary_exponent - (kSignificandBits - 1), kMinQuantumExponent);
  const int shift = p - (quantum_exponent - 1);
  if (shift >= 0) {
    a.shift_left(static_cast<std::size_t>(shift));
  } else {
    b.shift_left(static_cast<std::size_t>(-shift));
  }
  const std::uint64_t halves = divide_small_quotient(a, b);

  // Step 7.
  std::uint64_t significand = halves >> 1;
  if ((halves & 1) != 0 && (sticky || !a.is_zero())) ++significand;

  // Step 8. The exponent field is quantum_exponent + 1075 for a significand
  // with its leading bit at 2^52, and 0 for a subnormal; adding the
  // significand, leading bit included, to (quantum_exponent + 1074) << 52
  // covers both and lets a carry run into the exponent. At most, with b = 1023
  // and a significand rounded up to 2^53, this is (2045 << 52) + (2 << 52): the
  // bits of infinity.
  const std::uint64_t bits =
      (static_cast<std::uint64_t>(quantum_exponent - kMinQuantumExponent) << 52) + significand;
  return std::bit_cast<double>(sign | bits);
}

}  // namespace vertigrow
