#include "point_line.h"

#include "decimal_to_double.h"
#include "number_scan.h"

namespace vertigrow {
namespace {

// Scans one number of a point line from [*at, end) and converts it.
//  1. Skip white space.
//  2. An optional sign, then digits with at most one ".": at least one digit.
//  3. After the digits, an e or E starts an exponent: an optional sign and
//     digits. A letter with no digits after it is consumed all the same, with
//     its sign, and leaves the value as it is.
// On success *at is left on the first character that does not fit.
bool scan_number(const char*& at, const char* end, double& value) {
  DecimalText text;
  const char* p = scan_significand(at, end, text);
  if (p == nullptr) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    p = scan_exponent_digits(p, end, negative, text);
  }
  value = decimal_to_double(text);
  at = p;
  return true;
}

}  // namespace

bool read_point(std::string_view piece, Point& point) {
  const char* at = piece.data();
  const char* const end = at + piece.size();
  Point read;
  if (!scan_number(at, end, read.x) || at == end || *at++ != ',') return false;
  if (!scan_number(at, end, read.y) || at == end || *at++ != ',') return false;
  if (!scan_number(at, end, read.z)) return false;
  point = read;
  return true;
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
