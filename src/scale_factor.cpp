#include "scale_factor.h"

#include "decimal_to_double.h"
#include "number_scan.h"

namespace vertigrow {

double parse_scale_factor(std::string_view argument) {
  const char* const end = argument.data() + argument.size();
  DecimalText text;
  const char* p = scan_significand(argument.data(), end, text);
  if (p == nullptr) return 0.0;

  // The exponent letter belongs to the number only when a digit follows it,
  // directly or after one sign: "1e" and "1e+" both read as 1.
  if (p < end && (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D')) {
    const char* q = p + 1;
    bool negative = false;
    if (q < end && (*q == '+' || *q == '-')) negative = *q++ == '-';
    if (q < end && is_digit(*q)) scan_exponent_digits(q, end, negative, text);
  }
  return decimal_to_double(text);
}

}  // namespace vertigrow
