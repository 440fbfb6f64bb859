#include "scale_factor.h"

#include <string>

#include "decimal_to_double.h"
#include "number_scan.h"

namespace vertigrow {

double parse_scale_factor(std::string_view argument) {
  const std::string padded = padded_copy(argument);
  DecimalText text;
  const char* p = scan_significand(padded.data(), text);
  if (p == nullptr) return 0.0;

  // The exponent letter belongs to the number only when a digit follows it,
  // directly or after one sign: "1e" and "1e+" both read as 1.
  if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
    const char* q = p + 1;
    const bool negative = *q == '-';
    q += negative || *q == '+';
    if (is_digit(*q)) scan_exponent_digits(q, negative, text);
  }
  return decimal_to_double(text);
}

}  // namespace vertigrow
