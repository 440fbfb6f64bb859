// A small unsigned integer of fixed capacity for the exact decimal conversion.
//
// It has only the operations that conversion needs: multiply by a 32-bit factor
// and add, shift, compare, subtract, count bits. Limbs are 32 bits so that every
// limb product fits in std::uint64_t on every target, 32-bit ones included. The
// capacity is a template argument that the caller derives from its own bounds;
// going past it is a bug in those bounds, caught by assert in debug builds.
#pragma once

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>

namespace vertigrow::detail {

template <std::size_t kLimbs>
class FixedBignum {
 public:
  FixedBignum() = default;
  explicit FixedBignum(std::uint32_t value) {
    if (value != 0) {
      limbs_[0] = value;
      size_ = 1;
    }
  }

  bool is_zero() const { return size_ == 0; }

  // Number of significant bits; 0 for zero.
  std::size_t bit_length() const {
    if (size_ == 0) return 0;
    return size_ * 32 - static_cast<std::size_t>(std::countl_zero(limbs_[size_ - 1]));
  }

  // *this = *this * factor + addend.
  void multiply_add(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; i < size_; ++i) {
      // At most (2^32 - 1)^2 + (2^32 - 1) < 2^64.
      const std::uint64_t t = std::uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) {
      assert(size_ < kLimbs);
      limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
    trim();
  }

  // *this = *this * 2^bits.
  void shift_left(std::size_t bits) {
    if (size_ == 0) return;
    const std::size_t words = bits / 32;
    const unsigned rest = static_cast<unsigned>(bits % 32);
    if (rest == 0) {
      assert(size_ + words <= kLimbs);
      for (std::size_t i = size_; i-- > 0;) limbs_[i + words] = limbs_[i];
    } else {
      const std::uint32_t top = limbs_[size_ - 1] >> (32 - rest);
      if (top != 0) {
        assert(size_ + words < kLimbs);
        limbs_[size_ + words] = top;
      } else {
        assert(size_ + words <= kLimbs);
      }
      for (std::size_t i = size_ - 1; i > 0; --i) {
        limbs_[i + words] = (limbs_[i] << rest) | (limbs_[i - 1] >> (32 - rest));
      }
      limbs_[words] = limbs_[0] << rest;
      if (top != 0) ++size_;
    }
    for (std::size_t i = 0; i < words; ++i) limbs_[i] = 0;
    size_ += words;
  }

  // *this = floor(*this / 2).
  void shift_right_one() {
    for (std::size_t i = 0; i + 1 < size_; ++i) {
      limbs_[i] = (limbs_[i] >> 1) | (limbs_[i + 1] << 31);
    }
    if (size_ != 0) {
      limbs_[size_ - 1] >>= 1;
      trim();
    }
  }

  // *this = *this - other; requires *this >= other.
  void subtract(const FixedBignum& other) {
    assert(compare(*this, other) >= 0);
    std::uint32_t borrow = 0;
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint64_t subtrahend =
          std::uint64_t{i < other.size_ ? other.limbs_[i] : 0} + borrow;
      borrow = limbs_[i] < subtrahend ? 1 : 0;
      limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - subtrahend);
    }
    trim();
  }

  // Negative, zero or positive as a < b, a == b, a > b.
  friend int compare(const FixedBignum& a, const FixedBignum& b) {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (std::size_t i = a.size_; i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void trim() {
    while (size_ != 0 && limbs_[size_ - 1] == 0) --size_;
  }

  // Little-endian; limbs at and above size_ may hold stale values.
  std::uint32_t limbs_[kLimbs] = {};
  std::size_t size_ = 0;
};

}  // namespace vertigrow::detail
