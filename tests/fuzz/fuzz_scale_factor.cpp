// parse_scale_factor on arbitrary bytes: no fault, and the value of the exact
// reference, bit for bit (the sign of a zero included).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exact_reference.h"
#include "fuzz_report.h"
#include "scale_factor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view argument(reinterpret_cast<const char*>(data), size);
  const double got = vertigrow::parse_scale_factor(argument);
  const double expected = vertigrow::reference::read_scale_argument(argument);
  if (!vertigrow::fuzzing::same_bits(got, expected)) {
    vertigrow::fuzzing::report("parse_scale_factor differs from the reference", argument,
                               vertigrow::fuzzing::describe(got),
                               vertigrow::fuzzing::describe(expected));
  }
  return 0;
}
