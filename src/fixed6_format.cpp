// PLACEHOLDER, to be replaced by the real formatter.
#include "fixed6_format.h"

#include <cmath>
#include <cstdio>

namespace vertigrow {

std::size_t format_fixed6_exact(double value, char* out) {
  if (std::isinf(value)) {
    const char* s = value < 0 ? "-1.#INF00" : "1.#INF00";
    std::size_t n = 0;
    while (s[n]) out[n] = s[n], ++n;
    return n;
  }
  if (value == 0) value = 0;
  char buf[400];
  int n = std::snprintf(buf, sizeof buf, "%.6f", value);
  for (int i = 0; i < n; ++i) out[i] = buf[i];
  return static_cast<std::size_t>(n);
}

std::size_t format_fixed6(double value, char* out) { return format_fixed6_exact(value, out); }

}  // namespace vertigrow
