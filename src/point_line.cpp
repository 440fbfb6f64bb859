#include "point_line.h"

#include <string>

#include "decimal_to_double.h"
#include "number_scan.h"

namespace vertigrow {
namespace {

// Scans one number of a point line at p, in a padded copy, and converts it.
//  1. Skip white space.
//  2. An optional sign, then digits with at most one ".": at least one digit.
//  3. After the digits, an e or E starts an exponent: an optional sign and
//     digits. A letter with no digits after it is consumed all the same, with
//     its sign, and leaves the value as it is.
// Returns the position of the first character that does not fit, or nullptr
// when there is no number at p.
const char* scan_number(const char* p, double& value) {
  DecimalText text;
  p = scan_significand(p, text);
  if (p == nullptr) return nullptr;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool negative = *p == '-';
    p += negative || *p == '+';
    p = scan_exponent_digits(p, negative, text);
  }
  value = decimal_to_double(text);
  return p;
}

// scan_number for the common numbers: one to seven digits before the point
// and at most seven after it, no exponent, converted by one division (its
// bounds hold: the significand is below 10^14 < 2^53). Any other number is
// scanned once more by scan_number.
inline const char* scan_common_number(const char* p, double& value) {
  p = skip_blanks(p);
  detail::ShortDecimal number;
  const char* const after =
      detail::kExactDivision ? scan_short_significand(detail::PaddedReader(), p, number) : nullptr;
  if (after == nullptr || *after == 'e' || *after == 'E') return scan_number(p, value);
  value = detail::exact_quotient(number.significand, number.fraction_digits, number.negative);
  return after;
}

// Reads the point from a padded copy of its piece. The NULs after the piece
// end the third number, and are no ",".
bool read_padded_point(const char* text, Point& point) {
  double x, y, z;
  const char* p = scan_common_number(text, x);
  if (p == nullptr || *p != ',') return false;
  p = scan_common_number(p + 1, y);
  if (p == nullptr || *p != ',') return false;
  p = scan_common_number(p + 1, z);
  if (p == nullptr) return false;
  point = {x, y, z};
  return true;
}

// Pieces up to this long are copied on the stack, longer ones to the heap;
// the pass cuts none longer than 255 bytes.
constexpr std::size_t kMaxStackPiece = 256;

// read_point in full: on a padded copy of the piece, each number scanned the
// short way or the general way. Not inlined, so that read_point needs no room
// for the copy when it does not make one.
[[gnu::noinline]] bool read_point_copy(std::string_view piece, Point& point) {
  if (piece.size() > kMaxStackPiece) return read_padded_point(padded_copy(piece).data(), point);
  char text[kMaxStackPiece + kScanPadding];
  copy_padded(piece, text);
  return read_padded_point(text, point);
}

// A short number of a point line at p, past white space, converted: the
// position after it, or nullptr when it is no such number (or has an
// exponent). This and read_short_number are inlined by force: three numbers
// with two scanners each are more than the compiler inlines of its own
// accord, and a call costs more than the number.
template <typename Reader>
[[gnu::always_inline]] inline const char* short_number_at(const Reader& read, const char* p,
                                                          double& value) {
  detail::ShortDecimal number;
  const char* const after = scan_short_significand(read, p, number);
  if (after == nullptr) return nullptr;
  const char c = read.byte(after);
  if (c == 'e' || c == 'E') return nullptr;
  value = detail::exact_quotient(number.significand, number.fraction_digits, number.negative);
  return after;
}

// One number of a point line in place, the short way alone: at position p of
// the piece that read covers. Returns the position after it, or nullptr when
// it is not such a number. The scanner reads the piece unchecked where the
// number ends at least kShortReach bytes before the piece does, checked near
// its end.
[[gnu::always_inline]] inline const char* read_short_number(const detail::BoundedReader& read,
                                                            const char* p, double& value) {
  if (p < read.end && static_cast<unsigned char>(*p) <= ' ') {
    while (p < read.end && is_blank(*p)) ++p;
  }
  if (read.end - p >= detail::kShortReach) return short_number_at(detail::PaddedReader(), p, value);
  return short_number_at(read, p, value);
}

// read_point for a point line of three short numbers, read in place, which
// spares it the copy. Returns false, leaving point unchanged, for any other
// piece, which read_point_copy then decides.
inline bool read_short_point(std::string_view piece, Point& point) {
  if (!detail::kExactDivision) return false;
  const detail::BoundedReader read{piece.data(), piece.data() + piece.size()};
  double x, y, z;
  const char* p = read_short_number(read, read.first, x);
  if (p == nullptr || read.byte(p) != ',') return false;
  p = read_short_number(read, p + 1, y);
  if (p == nullptr || read.byte(p) != ',') return false;
  p = read_short_number(read, p + 1, z);
  if (p == nullptr) return false;
  point = {x, y, z};
  return true;
}

}  // namespace

bool read_point(std::string_view piece, Point& point) {
  return read_short_point(piece, point) || read_point_copy(piece, point);
}

std::size_t write_point_line(const Point& point, char* line) {
  char* p = line;
  p += format_fixed6(point.x, p);
  *p++ = ',';
  p += format_fixed6(point.y, p);
  *p++ = ',';
  p += format_fixed6(point.z, p);
  *p++ = ';';
  *p++ = '\n';
  return static_cast<std::size_t>(p - line);
}

}  // namespace vertigrow
