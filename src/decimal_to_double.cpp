// Decimal text to binary64 beyond the inline part of decimal_to_double: the
// fast path (decimal_fast_path.cpp) when it can decide, the exact path
// (decimal_exact.cpp, which defines decimal_to_double_exact) otherwise.
#include "decimal_to_double.h"

#include "decimal_fast_path.h"

namespace vertigrow::detail {

double decimal_to_double_rest(const DecimalText& text) {
  double value;
  if (decimal_to_double_fast(text, &value)) return value;
  return decimal_to_double_exact(text);
}

}  // namespace vertigrow::detail
