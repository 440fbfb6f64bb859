// The full 128-bit product of two 64-bit integers, for the six-decimal
// formatter's fast paths.
#pragma once

#include <cstdint>

namespace vertigrow {

struct U128 {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

// From four 32x32->64-bit products, for targets without a 128-bit type (the
// 32-bit builds). The middle column collects the high half of low*low and the
// low halves of the two cross products; its top 32 bits carry into high.
constexpr U128 multiply_portable(std::uint64_t a, std::uint64_t b) {
  const std::uint64_t a_low = a & 0xFFFFFFFF, a_high = a >> 32;
  const std::uint64_t b_low = b & 0xFFFFFFFF, b_high = b >> 32;
  const std::uint64_t low_low = a_low * b_low;
  const std::uint64_t low_high = a_low * b_high;
  const std::uint64_t high_low = a_high * b_low;
  const std::uint64_t high_high = a_high * b_high;
  const std::uint64_t middle = (low_low >> 32) + (low_high & 0xFFFFFFFF) + (high_low & 0xFFFFFFFF);
  return {high_high + (low_high >> 32) + (high_low >> 32) + (middle >> 32),
          (middle << 32) | (low_low & 0xFFFFFFFF)};
}

// The compiler's 128-bit integer where it has one (a single multiply on
// x86-64), multiply_portable otherwise. Both give the same product.
inline U128 multiply_u128(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 Uint128;  // __extension__: no -Wpedantic warning
  const Uint128 product = static_cast<Uint128>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  return multiply_portable(a, b);
#endif
}

}  // namespace vertigrow
