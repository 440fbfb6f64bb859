#include "number_scan.h"

namespace vertigrow {

const char* scan_significand(const char* p, const char* end, DecimalText& text) {
  while (p < end && is_blank(*p)) ++p;
  if (p < end && (*p == '+' || *p == '-')) text.negative = *p++ == '-';
  const char* digits = p;
  while (p < end && is_digit(*p)) ++p;
  text.integer = {digits, static_cast<std::size_t>(p - digits)};
  if (p < end && *p == '.') {
    digits = ++p;
    while (p < end && is_digit(*p)) ++p;
    text.fraction = {digits, static_cast<std::size_t>(p - digits)};
  }
  if (text.integer.empty() && text.fraction.empty()) return nullptr;
  return p;
}

const char* scan_exponent_digits(const char* p, const char* end, bool negative, DecimalText& text) {
  // Growth stops once the clamp is passed, so the value stays below 10^10.
  std::int64_t exponent = 0;
  for (; p < end && is_digit(*p); ++p) {
    if (exponent < kExponentClamp) exponent = exponent * 10 + (*p - '0');
  }
  if (exponent > kExponentClamp) exponent = kExponentClamp;
  text.exponent = negative ? -exponent : exponent;
  return p;
}

}  // namespace vertigrow
