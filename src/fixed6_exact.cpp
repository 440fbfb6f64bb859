// Exact path: the whole decimal expansion from a small big integer.
//
// A finite binary64 is m * 2^q with an integer m < 2^53, so its decimal
// expansion is finite. The algorithm:
//
//  1. Build the integer N whose decimal digits are the exact expansion:
//     for q >= 0, N = m * 2^q and the value has no fraction (k = 0);
//     for q < 0, N = m * 5^-q, since m * 2^q = m * 5^-q / 10^-q, and the
//     decimal point sits k = -q places from the right of N.
//  2. Write N in decimal, nine digits per division by 10^9: digits D[0..L)
//     with the point after E = L - k of them (E <= 0 means 0.00..D).
//  3. First rounding, to 17 significant digits: the 18th digit decides.
//     5 or more raises the 17th digit with carry (a remainder of at least
//     half a unit, including the exact tie, which rounds up); a carry out of
//     the first digit leaves "1" and moves the point: E + 1. Anything after
//     the 17th digit is zero from here on.
//  4. Second rounding, to six decimals: lay out the integer digits ("0" when
//     E <= 0) and the six decimals, reading D where it has a digit and "0"
//     elsewhere. The digit at the seventh decimal, when D has one there,
//     decides: 5 or more adds one to the last decimal with carry, which may
//     turn all nines into zeros and put a "1" in front.
#include "fixed6_exact.h"

#include <cstdint>
#include <cstring>

#include "fixed6_format.h"

namespace vertigrow {
namespace {

// Sizes from the extremes of binary64. The largest N is (2^53 - 1) * 5^1074
// (q = -1074): below 2^2547, so 80 limbs of 32 bits, and below 10^767, so 767
// digits. For q >= 0, N < 2^1024 (32 limbs, 309 digits).
constexpr int kLimbs = 80;
constexpr int kChunkDigits = 9;
constexpr std::uint32_t kChunk = 1'000'000'000;      // 10^kChunkDigits
constexpr int kMaxDigits = 86 * kChunkDigits;        // 86 chunks cover 767 digits
constexpr std::uint32_t kFivePow13 = 1'220'703'125;  // the largest power of 5 below 2^32
constexpr int kSignificantDigits = 17;               // first rounding step
constexpr int kDecimals = 6;                         // second rounding step

class BigUint {
 public:
  explicit BigUint(std::uint64_t value) {
    while (value != 0) {
      limb_[size_++] = static_cast<std::uint32_t>(value);
      value >>= 32;
    }
  }

  bool is_zero() const { return size_ == 0; }

  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      const std::uint64_t t = std::uint64_t{limb_[i]} * factor + carry;
      limb_[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) limb_[size_++] = static_cast<std::uint32_t>(carry);
  }

  void multiply_by_power_of_5(int exponent) {
    for (; exponent >= 13; exponent -= 13) multiply(kFivePow13);
    std::uint32_t factor = 1;
    for (; exponent > 0; --exponent) factor *= 5;
    multiply(factor);
  }

  void shift_left(int bits) {
    const int limbs = bits / 32;
    const int rest = bits % 32;
    if (rest != 0) {
      std::uint32_t carry = 0;
      for (int i = 0; i < size_; ++i) {
        const std::uint32_t next = limb_[i] >> (32 - rest);
        limb_[i] = (limb_[i] << rest) | carry;
        carry = next;
      }
      if (carry != 0) limb_[size_++] = carry;
    }
    if (limbs != 0) {
      for (int i = size_ - 1; i >= 0; --i) limb_[i + limbs] = limb_[i];
      for (int i = 0; i < limbs; ++i) limb_[i] = 0;
      size_ += limbs;
    }
  }

  // Divides in place and returns the remainder.
  std::uint32_t divide(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t current = (remainder << 32) | limb_[i];
      limb_[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    while (size_ > 0 && limb_[size_ - 1] == 0) --size_;
    return static_cast<std::uint32_t>(remainder);
  }

 private:
  std::uint32_t limb_[kLimbs] = {};  // least significant first
  int size_ = 0;                     // limbs in use; the top one is nonzero
};

// Writes the decimal digits of n (nonzero) at the end of buf[0..kMaxDigits)
// and returns where they start.
int write_decimal(BigUint& n, char* buf) {
  int start = kMaxDigits;
  while (!n.is_zero()) {
    std::uint32_t chunk = n.divide(kChunk);
    for (int i = 0; i < kChunkDigits; ++i) {
      buf[--start] = static_cast<char>('0' + chunk % 10);
      chunk /= 10;
    }
  }
  while (buf[start] == '0') ++start;
  return start;
}

}  // namespace

std::size_t fixed6_exact_magnitude(ScaledSignificand value, char* out) {
  // Step 1.
  BigUint n(value.significand);
  int point_from_right = 0;
  if (value.exponent >= 0) {
    n.shift_left(value.exponent);
  } else {
    point_from_right = -value.exponent;
    n.multiply_by_power_of_5(point_from_right);
  }

  // Step 2.
  char buf[kMaxDigits];
  const int start = write_decimal(n, buf);
  const char* digits = buf + start;
  int length = kMaxDigits - start;
  int point = length - point_from_right;  // E: digits before the point

  // Step 3. The digits are rewritten into a 17-digit string.
  char rounded[kSignificantDigits];
  if (length > kSignificantDigits) {
    std::memcpy(rounded, digits, kSignificantDigits);
    if (digits[kSignificantDigits] >= '5') {
      int i = kSignificantDigits - 1;
      while (i >= 0 && rounded[i] == '9') rounded[i--] = '0';
      if (i >= 0) {
        ++rounded[i];
      } else {
        rounded[0] = '1';  // 99..9 became 100..0: one digit more before the point
        ++point;
      }
    }
    length = kSignificantDigits;
  } else {
    std::memcpy(rounded, digits, static_cast<std::size_t>(length));
  }
  // The digit at position i from the first significant one, "0" outside.
  auto digit_at = [&](int i) { return i >= 0 && i < length ? rounded[i] : '0'; };

  // Step 4. Laid out after one spare slot for a carry into a new digit.
  char text[kMaxFixed6Length + 1];
  char* p = text + 1;
  if (point <= 0) {
    *p++ = '0';
  } else {
    for (int i = 0; i < point; ++i) *p++ = digit_at(i);
  }
  char* const dot = p;
  *p++ = '.';
  for (int i = 0; i < kDecimals; ++i) *p++ = digit_at(point + i);
  char* first = text + 1;
  if (digit_at(point + kDecimals) >= '5') {
    char* q = p - 1;
    for (;; --q) {
      if (q == dot) continue;
      if (q < first) {
        *q = '1';
        first = q;
        break;
      }
      if (*q != '9') {
        ++*q;
        break;
      }
      *q = '0';
    }
  }
  const auto size = static_cast<std::size_t>(p - first);
  std::memcpy(out, first, size);
  return size;
}

}  // namespace vertigrow
