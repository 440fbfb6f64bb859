// The fields of a binary64, read from its bits once and then handed to the
// conversions, which never do arithmetic on the double itself.
#pragma once

#include <bit>
#include <cstdint>

namespace vertigrow {

// IEEE 754 binary64 layout: 1 sign bit, 11 exponent bits, 52 fraction bits.
inline constexpr int kFractionBits = 52;
inline constexpr std::uint32_t kExponentAllOnes = 0x7FF;
inline constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << kFractionBits) - 1;
// The top fraction bit tells a quiet NaN (set) from a signalling one (clear).
inline constexpr std::uint64_t kQuietBit = std::uint64_t{1} << (kFractionBits - 1);
// A finite nonzero value is significand * 2^(biased exponent - kExponentBias),
// with the implicit leading 1 for normals; subnormals use biased exponent 1.
inline constexpr int kExponentBias = 1075;

struct Binary64 {
  bool negative = false;
  std::uint32_t biased_exponent = 0;  // 0 for zeros and subnormals, 0x7FF for infinities and NaNs
  std::uint64_t fraction = 0;         // the 52 stored fraction bits
};

inline Binary64 decode_binary64(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  Binary64 parts;
  parts.negative = (bits >> 63) != 0;
  parts.biased_exponent = static_cast<std::uint32_t>(bits >> kFractionBits) & kExponentAllOnes;
  parts.fraction = bits & kFractionMask;
  return parts;
}

// A finite nonzero magnitude as an exact product: significand * 2^exponent.
struct ScaledSignificand {
  std::uint64_t significand = 0;  // below 2^53; at least 2^52 for normals
  int exponent = 0;               // -1074 ... 971
};

inline ScaledSignificand scaled_significand(const Binary64& parts) {
  if (parts.biased_exponent == 0) return {parts.fraction, 1 - kExponentBias};
  return {parts.fraction | (std::uint64_t{1} << kFractionBits),
          static_cast<int>(parts.biased_exponent) - kExponentBias};
}

}  // namespace vertigrow
