// Fast conversion of magnitudes below 2^53 to six-decimal text, for those the
// short path (fixed6_short.h) leaves.
#pragma once

#include <cstddef>

#include "fixed6_binary64.h"

namespace vertigrow {

// Writes the magnitude of value (no sign) like fixed6_exact_magnitude and sets
// length, or returns false, writing nothing, when value is outside the range
// this path handles (2^53 and above). Finite nonzero values only.
bool fixed6_fast_magnitude(ScaledSignificand value, char* out, std::size_t& length);

}  // namespace vertigrow
