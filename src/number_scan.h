// The pieces that the scanners of number texts (scale arguments, point lines)
// have in common. Each scanner decides how an exponent is introduced.
//
// The scanners read a text from a copy of it followed by kScanPadding NULs
// (copy_padded, padded_copy). A NUL ends every part of a number, so no scanner
// tests for the end of the text, and eight bytes can be loaded at once at any
// position up to it. The short scanner of the most common numbers, at the
// end, reads through a reader instead, which can also read a text in place.
// Runs of digits are read eight bytes at a time, as one 64-bit word with the
// first byte lowest:
//  1. Load the next eight bytes and take '0' from each (an exclusive or, which
//     cannot borrow): a digit byte becomes its value, 0 to 9.
//  2. Mark the bytes that are no digit. The lowest mark gives the number n of
//     digits the word begins with.
//  3. Move those n values up to the top bytes, so that the zero bytes below
//     them lead, and join neighbours in three rounds, all lanes at once:
//     pairs, fours, then all eight.
//  4. Append the value to the significand: w x 10^n + value.
//  5. n = 8: the run may go on; back to 1.
// The significand gathered on the way spares the conversion a second pass
// over the digits.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "decimal_text.h"

namespace vertigrow {

// Space, tab, LF, VT, FF and CR. Nothing else, and no byte above 0x7F.
constexpr bool is_blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Skips the white space before a number.
inline const char* skip_blanks(const char* p) {
  while (is_blank(*p)) ++p;
  return p;
}

// The NULs after a text that the scanners read: at least the eight bytes of
// one word. A NUL inside the text is read as the NUL it is, which ends a
// number just as the end of the text does.
inline constexpr std::size_t kScanPadding = 8;

// Copies text to to, which has room for text.size() + kScanPadding bytes,
// and the NULs after it. The copy is made in blocks of 32 bytes, the last one
// ending with the text and overlapping the one before (a line of up to 64
// bytes takes two); shorter texts go in two blocks of 16 or 8, or byte by
// byte. Blocks of a fixed size are a few moves each, less than a call to a
// general copy costs for texts as short as lines.
inline void copy_padded(std::string_view text, char* to) {
  const char* const from = text.data();
  const std::size_t size = text.size();
  if (size >= 32) {
    std::memcpy(to, from, 32);
    for (std::size_t i = 32; i + 32 < size; i += 32) std::memcpy(to + i, from + i, 32);
    std::memcpy(to + size - 32, from + size - 32, 32);
  } else if (size >= 16) {
    std::memcpy(to, from, 16);
    std::memcpy(to + size - 16, from + size - 16, 16);
  } else if (size >= 8) {
    std::memcpy(to, from, 8);
    std::memcpy(to + size - 8, from + size - 8, 8);
  } else {
    for (std::size_t i = 0; i < size; ++i) to[i] = from[i];
  }
  std::memset(to + size, 0, kScanPadding);
}

// The text followed by kScanPadding NULs, on the heap: for texts of any
// length, where speed does not matter.
std::string padded_copy(std::string_view text);

namespace detail {

// A byte value repeated in every byte of a word: byte * kEachByte.
inline constexpr std::uint64_t kEachByte = 0x0101'0101'0101'0101;

// 10^0 .. 10^8, by the length of a run of digits within one word.
inline constexpr std::uint64_t kRunScale[] = {1,      10,      100,      1000,     10000,
                                              100000, 1000000, 10000000, 100000000};

// The eight bytes at p as a word, the first byte lowest.
inline std::uint64_t load_word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t reversed = 0;
    for (int i = 0; i < 8; ++i) reversed = reversed << 8 | ((word >> (8 * i)) & 0xFF);
    word = reversed;
  }
  return word;
}

// Each byte of a word less '0', by an exclusive or, so that no byte borrows
// from the next: a digit becomes its value, 0 to 9.
constexpr std::uint64_t digit_values(std::uint64_t word) {
  return word ^ ('0' * kEachByte);
}

// The digit values of the eight bytes at p.
inline std::uint64_t load_digit_values(const char* p) {
  return digit_values(load_word(p));
}

// For the values x of load_digit_values: the top bit of a byte is set at the
// first byte that is no digit, and maybe above it, but never below. A digit
// gives 0 to 9, which x + 0x76 leaves below 0x80, while 10 up to 0x7F reach
// it; a byte of 0x80 or more has the bit already. Only a byte of 0x8A or more
// carries into the next, which is above a marked byte.
constexpr std::uint64_t non_digit_marks(std::uint64_t x) {
  return (x | (x + 0x76 * kEachByte)) & (0x80 * kEachByte);
}

// Digits are joined in three rounds, each joining neighbouring lanes into
// lanes twice as wide, the lower one the more significant. No lane carries
// into the next, as 99, 9999 and 99999999 fit in 8, 16 and 32 bits. In the
// first two rounds one product adds the lower lane times 10 or 100 to the
// upper one, and a shift moves the sums down; the last joins its two lanes
// one by one, which needs no 64-bit constant.
inline constexpr std::uint64_t kJoinDigits = 10 << 8 | 1;
inline constexpr std::uint64_t kJoinPairs = 100 << 16 | 1;
inline constexpr std::uint64_t kPairs = 0x00FF'00FF'00FF'00FF;

// The last two rounds, from pairs (0 to 99 in each 16-bit lane) to the value.
constexpr std::uint64_t join_pairs(std::uint64_t pairs) {
  const std::uint64_t fours = (pairs * kJoinPairs) >> 16;  // lanes 0 and 2 hold 0 to 9999
  return (fours & 0xFFFF) * 10000 + (fours >> 32 & 0xFFFF);
}

// The value of eight digit values x, the first (lowest) the most significant.
constexpr std::uint64_t eight_digits_value(std::uint64_t x) {
  return join_pairs((x * kJoinDigits) >> 8 & kPairs);
}

// The value of the n digits that x begins with, given mark = 8n + 7, the
// lowest bit of non_digit_marks(x): they move up by 64 - 8n = 71 - mark bits
// to the top, so that the zeros below them lead. That is two shifts, as one
// of 64 bits (n = 0) is undefined; the second, by 8, would only be undone by
// the shift of the first round, so both are left out.
constexpr std::uint64_t leading_digits_value(std::uint64_t x, unsigned mark) {
  return join_pairs((x << (~mark & 63)) * kJoinDigits & kPairs);  // 63 - mark
}

// A run of digits scanned: the position after it, and the significand with
// the run appended.
struct DigitRun {
  const char* end;
  std::uint64_t significand;
};

// scan_digit_run for a run of eight digits or more, out of line.
DigitRun scan_long_digit_run(const char* p, std::uint64_t w);

// Scans the run of digits at p and appends it to w: w x 10^k + its value,
// modulo 2^64, for a run of k digits.
inline DigitRun scan_digit_run(const char* p, std::uint64_t w) {
  const std::uint64_t x = load_digit_values(p);
  const std::uint64_t marks = non_digit_marks(x);
  if (marks == 0) return scan_long_digit_run(p, w);
  const auto mark = static_cast<unsigned>(std::countr_zero(marks));
  const unsigned n = mark / 8;
  return {p + n, w * kRunScale[n] + leading_digits_value(x, mark)};
}

}  // namespace detail

// Skips white space, then scans an optional sign and digits with at most one
// "." into text, the significand with them. Returns the position after them,
// or nullptr when there is no digit at all (a lone sign or point is no
// number). p points into a padded copy.
inline const char* scan_significand(const char* p, DecimalText& text) {
  p = skip_blanks(p);
  const char sign = *p;
  text.negative = sign == '-';
  p += sign == '-' || sign == '+';
  detail::DigitRun run = detail::scan_digit_run(p, 0);
  text.integer = {p, static_cast<std::size_t>(run.end - p)};
  p = run.end;
  if (*p == '.') {
    ++p;
    run = detail::scan_digit_run(p, run.significand);
    text.fraction = {p, static_cast<std::size_t>(run.end - p)};
    p = run.end;
  }
  const std::size_t count = text.integer.size() + text.fraction.size();
  if (count == 0) return nullptr;
  text.significand = run.significand;
  text.has_significand = count <= kMaxSignificandDigits;
  return p;
}

// The same for the text [p, end), which needs no padding: it is scanned
// through a padded copy, and integer and fraction point into [p, end).
const char* scan_significand(const char* p, const char* end, DecimalText& text);

// Scans the digits of an exponent (its letter and sign already consumed) into
// text.exponent, clamped to kExponentClamp. Returns the position after them.
// p points into a padded copy.
inline const char* scan_exponent_digits(const char* p, bool negative, DecimalText& text) {
  // Growth stops once the clamp is passed, so the value stays below 10^10.
  std::int64_t exponent = 0;
  for (; is_digit(*p); ++p) {
    if (exponent < kExponentClamp) exponent = exponent * 10 + (*p - '0');
  }
  if (exponent > kExponentClamp) exponent = kExponentClamp;
  text.exponent = negative ? -exponent : exponent;
  return p;
}

namespace detail {

// A number with one to seven digits before its point and at most seven
// after it: its digits as one integer (below 10^14, so an exact double), the
// count of those after the point, and its sign.
struct ShortDecimal {
  std::uint64_t significand = 0;
  unsigned fraction_digits = 0;
  bool negative = false;
};

// How scan_short_significand reads its text: a byte, or the eight bytes from
// a position on as a word (first byte lowest).
//
// PaddedReader reads a padded copy, or any text where the number is known to
// end at least kShortReach bytes before the text does.
struct PaddedReader {
  char byte(const char* p) const { return *p; }
  std::uint64_t word(const char* p) const { return load_word(p); }
};

// BoundedReader reads [first, end) in place, however close to end: bytes at
// or past end read as NUL. A word that would reach past end is loaded as the
// eight bytes that end at end, shifted down past the bytes before p, so that
// it needs no more than one load when the text holds at least eight bytes.
struct BoundedReader {
  const char* first;
  const char* end;

  char byte(const char* p) const { return p < end ? *p : '\0'; }
  std::uint64_t word(const char* p) const {
    const std::ptrdiff_t left = end - p;
    if (left >= 8) return load_word(p);
    // Shifted twice: one shift by 64 bits (left = 0) is undefined.
    if (end - first >= 8) return load_word(end - 8) >> (8 * (8 - left) - 1) >> 1;
    std::uint64_t word = 0;
    for (std::ptrdiff_t i = left; i-- > 0;) word = word << 8 | static_cast<unsigned char>(p[i]);
    return word;
  }
};

// The most bytes that scan_short_significand reads from where it starts, up
// to and including the byte after the number: a sign, a word of digits, the
// point, and a word of digits whose last byte is the one after the number.
inline constexpr std::ptrdiff_t kShortReach = 17;

// Scans what scan_significand scans, white space aside, for the most common
// numbers alone: those with one to seven digits before the point and at most
// seven after it. Returns the position after them, or nullptr for any other
// text, another number or no number at all; scan_significand then decides.
// p is past any white space.
template <typename Reader>
inline const char* scan_short_significand(const Reader& read, const char* p, ShortDecimal& number) {
  const char sign = read.byte(p);
  number.negative = sign == '-';
  p += sign == '-' || sign == '+';
  std::uint64_t x = digit_values(read.word(p));
  std::uint64_t marks = non_digit_marks(x);
  auto mark = static_cast<unsigned>(std::countr_zero(marks));
  // The mark is at 7 when no digit comes before the point, and at 64 (none)
  // for eight digits or more; 15 to 63 are one to seven digits.
  if (mark - 15 > 63 - 15) return nullptr;
  number.significand = leading_digits_value(x, mark);
  p += mark / 8;
  if (read.byte(p) != '.') return p;
  ++p;
  x = digit_values(read.word(p));
  marks = non_digit_marks(x);
  if (marks == 0) return nullptr;
  mark = static_cast<unsigned>(std::countr_zero(marks));
  number.fraction_digits = mark / 8;
  number.significand = number.significand * kRunScale[mark / 8] + leading_digits_value(x, mark);
  return p + mark / 8;
}

}  // namespace detail

}  // namespace vertigrow
