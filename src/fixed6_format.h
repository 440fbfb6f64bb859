// Binary64 to fixed-point text with six decimals.
//
// Two rounding steps: the exact value is rounded to 17 significant digits,
// then that decimal string is rounded half-up to six places after the point,
// with carry. Digit positions beyond the 17th significant digit are "0".
// Zero and negative zero give "0.000000"; any other negative value keeps its
// "-", even when all printed digits are zero. Infinities and NaNs give a
// marker padded with "0" to six places: 1.#INF00, 1.#IND00, 1.#QNAN0,
// 1.#SNAN0, with "-" when the sign bit is set.
#pragma once

#include <cstddef>

namespace vertigrow {

// The longest text: "-", 309 integer digits, ".", six decimals.
inline constexpr std::size_t kMaxFixed6Length = 317;

// Writes the text to out (room for kMaxFixed6Length chars, no NUL is written)
// and returns its length. The short path for the common magnitudes, else the
// fast path, and the exact path beyond that.
std::size_t format_fixed6(double value, char* out);

// The exact path alone. Always writes the same text as format_fixed6.
std::size_t format_fixed6_exact(double value, char* out);

}  // namespace vertigrow
