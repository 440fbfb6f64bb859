// An independent, exact reading and writing of the tool's number texts, for
// the fuzz targets to hold the tool's own code against.
//
// Nothing here comes from src/: the syntax is scanned again from scratch, and
// every conversion is done exactly with GMP integers and rationals. Speed does
// not matter; being obviously right does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vertigrow::reference {

// A decimal number as its digits and a power of ten: digits * 10^exponent.
struct Decimal {
  bool negative = false;
  std::string digits;         // ASCII digits, possibly with leading zeros, possibly empty (zero)
  std::int64_t exponent = 0;  // saturated far beyond any value that still matters
};

// The nearest double to the exact value; an exact tie goes to the one of
// smaller magnitude. Too large gives an infinity, too small a zero, both with
// the sign of the text.
double nearest_double(const Decimal& number);

// The three numbers of a point line, or nothing when the piece is none: each
// number after optional white space, with an optional sign, digits with at
// most one ".", and an e or E exponent whose sign and digits are optional;
// "," right after the first and the second number; anything after the third.
struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};
std::optional<Point3> read_point_line(std::string_view piece);

// A scale argument: its longest leading number, with an e, E, d or D exponent
// only when a digit follows the letter (directly or after one sign); +0 when
// the argument does not begin with a number.
double read_scale_argument(std::string_view argument);

// The six-decimal text of a double: a finite value rounded to 17 significant
// digits (exact ties away from zero), that decimal rounded half-up to six
// places; "-" for every negative value but -0; markers for the rest.
std::string fixed6_text(double value);

// True when text has the written form of a number: an optional "-", then
// either integer digits (no leading zero unless it is the only one), "." and
// six digits, or one of the four markers.
bool has_fixed6_form(std::string_view text);

}  // namespace vertigrow::reference
