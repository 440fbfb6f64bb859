// PLACEHOLDER, to be replaced by the real conversion.
#include "decimal_to_double.h"

#include <charconv>
#include <string>

namespace vertigrow {

double decimal_to_double_exact(const DecimalText& text) {
  std::string s(text.integer);
  s += '.';
  s += text.fraction;
  if (s == ".") s = "0";
  s += 'e';
  s += std::to_string(text.exponent);
  double v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec == std::errc::result_out_of_range) v = text.exponent > 0 ? 1e308 * 10 : 0.0;
  return text.negative ? -v : v;
}

double decimal_to_double(const DecimalText& text) { return decimal_to_double_exact(text); }

}  // namespace vertigrow
