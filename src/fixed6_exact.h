// Exact conversion of a finite nonzero magnitude to six-decimal text.
#pragma once

#include <cstddef>

#include "fixed6_binary64.h"

namespace vertigrow {

// Writes the magnitude of value (no sign) as integer digits, "." and six
// decimals, after the two rounding steps, and returns its length: at most
// kMaxFixed6Length - 1. Correct for every finite nonzero value.
std::size_t fixed6_exact_magnitude(ScaledSignificand value, char* out);

}  // namespace vertigrow
