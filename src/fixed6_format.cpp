// Binary64 to six-decimal text: sign, markers for infinities and NaNs, and
// the magnitude from the short path (fixed6_short.h) for the common
// magnitudes, else the fast path (fixed6_fast.cpp) or the exact path
// (fixed6_exact.cpp).
#include "fixed6_format.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "fixed6_binary64.h"
#include "fixed6_exact.h"
#include "fixed6_fast.h"
#include "fixed6_short.h"

namespace vertigrow {
namespace {

// Infinities and NaNs, told apart by their bits alone: the marker stands in
// for the digit before the point and is padded with "0" to six decimals.
std::size_t write_marker(const Binary64& parts, char* out) {
  const char* marker;
  if (parts.fraction == 0) {
    marker = "1.#INF00";
  } else if ((parts.fraction & kQuietBit) == 0) {
    marker = "1.#SNAN0";  // quiet bit clear (the payload is then nonzero)
  } else if (parts.negative && parts.fraction == kQuietBit) {
    marker = "1.#IND00";  // the NaN that x86 makes for an invalid operation
  } else {
    marker = "1.#QNAN0";
  }
  std::size_t length = 0;
  if (parts.negative) out[length++] = '-';
  std::memcpy(out + length, marker, 8);
  return length + 8;
}

// Zero, markers, and the sign; the magnitude is left to convert.
template <typename Magnitude>
std::size_t format(double value, char* out, Magnitude magnitude) {
  const Binary64 parts = decode_binary64(value);
  if (parts.biased_exponent == kExponentAllOnes) return write_marker(parts, out);
  if (parts.biased_exponent == 0 && parts.fraction == 0) {  // +0 and -0 alike
    std::memcpy(out, "0.000000", 8);
    return 8;
  }
  std::size_t sign = 0;
  if (parts.negative) out[sign++] = '-';  // kept even when every digit is 0
  return sign + magnitude(scaled_significand(parts), out + sign);
}

// Everything but the short path, out of line so that format_fixed6 needs no
// registers saved for it.
[[gnu::noinline]] std::size_t format_general(double value, char* out) {
  return format(value, out, [](ScaledSignificand magnitude, char* text) {
    std::size_t length;
    if (fixed6_fast_magnitude(magnitude, text, length)) return length;
    return fixed6_exact_magnitude(magnitude, text);
  });
}

}  // namespace

std::size_t format_fixed6(double value, char* out) {
  // The short path's range, read straight from the bits: a normal value
  // m * 2^-shift with shift = kExponentBias - biased exponent.
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const unsigned shift =
      kExponentBias - static_cast<unsigned>((bits >> kFractionBits) & kExponentAllOnes);
  if (shift - kShortMinShift <= kShortMaxShift - kShortMinShift) {
    const auto sign = static_cast<std::size_t>(bits >> 63);
    out[0] = '-';  // written over by the first digit when there is no sign
    const std::uint64_t m = (bits & kFractionMask) | (std::uint64_t{1} << kFractionBits);
    char* end;
    if (fixed6_short_magnitude(m, shift, out + sign, end)) {
      return static_cast<std::size_t>(end - out);
    }
  }
  return format_general(value, out);
}

std::size_t format_fixed6_exact(double value, char* out) {
  return format(value, out, fixed6_exact_magnitude);
}

}  // namespace vertigrow
