// Decimal text to binary64: the nearest double, every digit honoured.
//
// Rounding: to nearest; a text exactly halfway between two doubles gives the
// one of smaller magnitude. Too large gives an infinity, too small a zero, both
// with the text's sign; subnormals in between. A negative zero keeps its sign.
#pragma once

#include "decimal_text.h"

namespace vertigrow {

// Fast path first, exact path when the fast path cannot decide.
double decimal_to_double(const DecimalText& text);

// The exact path alone. Always gives the same result as decimal_to_double; the
// tests run both over the same cases.
double decimal_to_double_exact(const DecimalText& text);

}  // namespace vertigrow
