// Decimal text to binary64: the nearest double, every digit honoured.
//
// Rounding: to nearest; a text exactly halfway between two doubles gives the
// one of smaller magnitude. Too large gives an infinity, too small a zero, both
// with the text's sign; subnormals in between. A negative zero keeps its sign.
#pragma once

#include <cstdint>

#include "decimal_fast_path.h"
#include "decimal_text.h"

namespace vertigrow {

namespace detail {

// The inline part of decimal_to_double: step 2 of the fast path
// (decimal_fast_path.cpp), one division, for a text with a significand.
// Returns false, storing nothing, where that step does not apply.
inline bool quick_decimal_to_double(const DecimalText& text, double* out) {
  return text.has_significand &&
         divide_by_power_of_10(text.significand,
                               static_cast<std::uint64_t>(text.fraction.size()) -
                                   static_cast<std::uint64_t>(text.exponent),
                               text.negative, out);
}

// decimal_to_double for the texts its inline part does not take: the whole
// fast path, then the exact path.
double decimal_to_double_rest(const DecimalText& text);

}  // namespace detail

// Fast path first, exact path when the fast path cannot decide. Inline, so
// that the scanners convert their most common numbers (a significand below
// 2^53 and at most 22 fraction digits, no larger explicit exponent) with one
// division and no call.
inline double decimal_to_double(const DecimalText& text) {
  double value;
  if (detail::quick_decimal_to_double(text, &value)) return value;
  return detail::decimal_to_double_rest(text);
}

// The exact path alone. Always gives the same result as decimal_to_double; the
// tests run both over the same cases.
double decimal_to_double_exact(const DecimalText& text);

}  // namespace vertigrow
