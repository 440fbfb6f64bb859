// The fast path of the decimal to binary64 conversion: short texts whose
// result one exact integer computation or one correctly rounded division gives.
#pragma once

#include <cfloat>
#include <cstdint>

#include "decimal_text.h"

namespace vertigrow::detail {

// Stores the nearest double (ties to the smaller magnitude) in *out and returns
// true, or returns false when this path cannot decide; the exact path then must.
bool decimal_to_double_fast(const DecimalText& text, double* out);

#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
// Whether w / 10^k is computed by one correctly rounded division here.
inline constexpr bool kExactDivision = true;
#else
inline constexpr bool kExactDivision = false;
#endif

// 10^0 .. 10^22, the powers of ten that are exact doubles (5^22 < 2^53), and
// the same negated: a division by -10^k gives exactly the negated quotient,
// -0 for 0, so the sign costs no operation of its own. Each row is padded to
// 32 entries, which makes the row of a sign a shift away.
inline constexpr std::uint64_t kMaxExactPowerOf10 = 22;
inline constexpr double kSignedPowersOf10[2][32] = {
    {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22},
    {-1e0,  -1e1,  -1e2,  -1e3,  -1e4,  -1e5,  -1e6,  -1e7,  -1e8,  -1e9,  -1e10, -1e11,
     -1e12, -1e13, -1e14, -1e15, -1e16, -1e17, -1e18, -1e19, -1e20, -1e21, -1e22}};
inline constexpr int kExactIntegerBits = 53;  // integers below 2^53 are exact doubles

// w / 10^k, negated for negative, for w < 2^53 and k <= 22, which the caller
// makes sure of; only where kExactDivision holds.
inline double exact_quotient(std::uint64_t w, std::uint64_t k, bool negative) {
  // w < 2^63, so the signed conversion, which needs no test of the top bit,
  // gives the same double.
  return static_cast<double>(static_cast<std::int64_t>(w)) / kSignedPowersOf10[negative][k];
}

// Step 2 of decimal_to_double_fast (see decimal_fast_path.cpp) on its own, the
// path of most numbers: w / 10^k (-w / 10^k for negative) with w < 2^53 and
// k <= 22. Returns false, storing nothing, for any other w or k,
// and always where double arithmetic is not exact binary64.
inline bool divide_by_power_of_10(std::uint64_t w, std::uint64_t k, bool negative, double* out) {
  if (!kExactDivision || k > kMaxExactPowerOf10 || (w >> kExactIntegerBits) != 0) return false;
  *out = exact_quotient(w, k, negative);
  return true;
}

}  // namespace vertigrow::detail
