// decimal_to_double and decimal_to_double_exact on decimal texts built from
// arbitrary bytes: long digit strings, exponents of any size allowed by the
// text struct, and the reference's exact value, bit for bit.
//
// The bytes: [flags] [4 bytes of exponent] [split] [digits...]. Flags bit 0 is
// the sign; bit 1 keeps the exponent near the range of doubles, where the
// hard cases are. Each digit byte gives one digit; split says how many of
// them come before the point.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "decimal_to_double.h"
#include "exact_reference.h"
#include "fuzz_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return 0;
  const bool negative = (data[0] & 1) != 0;
  std::int32_t raw_exponent;
  std::memcpy(&raw_exponent, data + 1, sizeof raw_exponent);
  std::int64_t exponent = raw_exponent;
  if ((data[0] & 2) != 0) {
    exponent %= 700;
  } else if (exponent > vertigrow::kExponentClamp || exponent < -vertigrow::kExponentClamp) {
    exponent = exponent > 0 ? vertigrow::kExponentClamp : -vertigrow::kExponentClamp;
  }
  std::string digits;
  for (std::size_t i = 6; i < size; ++i) digits += static_cast<char>('0' + data[i] % 10);
  const std::size_t split = data[5] % (digits.size() + 1);

  vertigrow::DecimalText text;
  text.negative = negative;
  text.integer = std::string_view(digits).substr(0, split);
  text.fraction = std::string_view(digits).substr(split);
  text.exponent = exponent;

  vertigrow::reference::Decimal number;
  number.negative = negative;
  number.digits = digits;
  number.exponent = exponent - static_cast<std::int64_t>(text.fraction.size());
  const double expected = vertigrow::reference::nearest_double(number);

  const std::string shown = std::string(negative ? "-" : "") + std::string(text.integer) + "." +
                            std::string(text.fraction) + "e" + std::to_string(exponent);
  const double fast = vertigrow::decimal_to_double(text);
  if (!vertigrow::fuzzing::same_bits(fast, expected)) {
    vertigrow::fuzzing::report("decimal_to_double differs from the reference", shown,
                               vertigrow::fuzzing::describe(fast),
                               vertigrow::fuzzing::describe(expected));
  }
  const double exact = vertigrow::decimal_to_double_exact(text);
  if (!vertigrow::fuzzing::same_bits(exact, expected)) {
    vertigrow::fuzzing::report("decimal_to_double_exact differs from the reference", shown,
                               vertigrow::fuzzing::describe(exact),
                               vertigrow::fuzzing::describe(expected));
  }
  return 0;
}
