// The text of one point: reading three numbers from a line piece, and writing
// a point back as a line.
#pragma once

#include <cstddef>
#include <string_view>

#include "fixed6_format.h"

namespace vertigrow {

struct Point {
  double x = 0;
  double y = 0;
  double z = 0;
};

// Three number texts, two commas, ";" and LF.
inline constexpr std::size_t kMaxPointLineLength = 3 * kMaxFixed6Length + 4;

// Reads x, y and z from the piece. Each number may follow white space and
// have a sign, digits with at most one ".", and an exponent with e or E. A
// "," must come right after the first and the second number; everything after
// the third is ignored. Returns false, leaving point unchanged, when the piece
// is not a point line.
bool read_point(std::string_view piece, Point& point);

// Writes "x,y,z;\n" with six decimals each to line (room for
// kMaxPointLineLength bytes) and returns the length.
std::size_t write_point_line(const Point& point, char* line);

}  // namespace vertigrow
