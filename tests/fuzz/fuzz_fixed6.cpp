// format_fixed6 and format_fixed6_exact for any 8 bytes taken as a double:
// the text has the written form, fits kMaxFixed6Length, and equals the exact
// reference's two-step rounding.
//
// A ninth byte, when there is one, replaces the exponent with one between
// 2^-24 and 2^59, where both rounding steps leave digits to look at; random
// bits alone mostly give values far larger or far smaller.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "exact_reference.h"
#include "fixed6_format.h"
#include "fuzz_report.h"

namespace {

using vertigrow::fuzzing::describe;
using vertigrow::fuzzing::report;

void check(std::string_view which, std::size_t (*format)(double, char*), double value) {
  // One byte more than the longest text, to see a write past it.
  char text[vertigrow::kMaxFixed6Length + 1];
  text[vertigrow::kMaxFixed6Length] = '\x7f';
  const std::size_t length = format(value, text);
  const std::string input = describe(value);
  if (length > vertigrow::kMaxFixed6Length || text[vertigrow::kMaxFixed6Length] != '\x7f') {
    report(std::string(which) + " wrote past kMaxFixed6Length", input, std::to_string(length),
           "at most kMaxFixed6Length");
  }
  const std::string_view got(text, length);
  if (!vertigrow::reference::has_fixed6_form(got)) {
    report(std::string(which) + " wrote text of the wrong form", input, got, "digits.dddddd");
  }
  const std::string expected = vertigrow::reference::fixed6_text(value);
  if (got != expected) {
    report(std::string(which) + " differs from the reference", input, got, expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, size < 8 ? size : 8);
  if (size > 8) {
    constexpr std::uint64_t kExponentBits = std::uint64_t{0x7FF} << 52;
    const std::uint64_t exponent = 1023 - 24 + data[8] % 84;  // 2^-24 ... 2^59
    bits = (bits & ~kExponentBits) | (exponent << 52);
  }
  const double value = std::bit_cast<double>(bits);
  check("format_fixed6", vertigrow::format_fixed6, value);
  check("format_fixed6_exact", vertigrow::format_fixed6_exact, value);
  return 0;
}
