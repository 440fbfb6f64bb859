// Decimal digits for the six-decimal formatter's fast paths, two per table
// look-up.
#pragma once

#include <cstdint>
#include <cstring>

namespace vertigrow {

// "00" "01" ... "99".
struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
inline constexpr DigitPairs kDigitPairs;

// Writes the two digits of pair < 100.
inline void write_pair(char* out, std::uint64_t pair) {
  std::memcpy(out, kDigitPairs.text + 2 * pair, 2);
}

}  // namespace vertigrow
