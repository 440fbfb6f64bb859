// The fast path of the decimal to binary64 conversion: short texts whose
// result one exact integer computation or one correctly rounded division gives.
#pragma once

#include "decimal_text.h"

namespace vertigrow::detail {

// Stores the nearest double (ties to the smaller magnitude) in *out and returns
// true, or returns false when this path cannot decide; the exact path then must.
bool decimal_to_double_fast(const DecimalText& text, double* out);

}  // namespace vertigrow::detail
