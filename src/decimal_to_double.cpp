// Decimal text to binary64: the fast path (decimal_fast_path.cpp) when it can
// decide, the exact path (decimal_exact.cpp, which defines
// decimal_to_double_exact) otherwise.
#include "decimal_to_double.h"

#include "decimal_fast_path.h"

namespace vertigrow {

double decimal_to_double(const DecimalText& text) {
  double value;
  if (detail::decimal_to_double_fast(text, &value)) return value;
  return decimal_to_double_exact(text);
}

}  // namespace vertigrow
