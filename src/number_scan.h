// The pieces that the scanners of number texts (scale arguments, point lines)
// have in common. Each scanner decides how an exponent is introduced.
#pragma once

#include "decimal_text.h"

namespace vertigrow {

// Space, tab, LF, VT, FF and CR. Nothing else, and no byte above 0x7F.
constexpr bool is_blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Skips white space, then scans an optional sign and digits with at most one
// "." into text. Returns the position after them, or nullptr when there is no
// digit at all (a lone sign or point is no number).
const char* scan_significand(const char* p, const char* end, DecimalText& text);

// Scans the digits of an exponent (its letter and sign already consumed) into
// text.exponent, clamped to kExponentClamp. Returns the position after them.
const char* scan_exponent_digits(const char* p, const char* end, bool negative, DecimalText& text);

}  // namespace vertigrow
