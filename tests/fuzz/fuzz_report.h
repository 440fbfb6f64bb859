// Reporting a disagreement found by a fuzz target: what differs, the input as
// an escaped string literal that a test can take over, then abort() so that
// the fuzzer stops and keeps the input.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vertigrow::fuzzing {

inline std::string escaped(std::string_view bytes) {
  std::string text = "\"";
  for (unsigned char c : bytes) {
    if (c == '\\' || c == '"') {
      text += '\\';
      text += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", c);
      text += octal;
    }
  }
  return text + "\"";
}

// A double as its bits and its hexadecimal value, for exact comparison.
inline std::string describe(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%a (bits %016llx)", value,
                static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
  return text;
}

inline bool same_bits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

[[noreturn]] inline void report(std::string_view what, std::string_view input, std::string_view got,
                                std::string_view expected) {
  std::fprintf(stderr, "\n*** %.*s\n  input:    %s\n  got:      %s\n  expected: %s\n",
               static_cast<int>(what.size()), what.data(), escaped(input).c_str(),
               escaped(got).c_str(), escaped(expected).c_str());
  std::abort();
}

}  // namespace vertigrow::fuzzing
