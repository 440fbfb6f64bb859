#include "point_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace vertigrow {
namespace {

struct ReadCase {
  std::string piece;
  bool is_point;
  Point point;
};

void expect_same(double expected, double actual, const std::string& piece) {
  EXPECT_EQ(expected, actual) << piece;
  EXPECT_EQ(std::signbit(expected), std::signbit(actual)) << piece;
}

void check_reads(const ReadCase& c) {
  Point point{-7, -7, -7};
  ASSERT_EQ(read_point(c.piece, point), c.is_point) << c.piece;
  if (!c.is_point) {
    EXPECT_EQ(point.x, -7) << "a piece that is no point line leaves the point alone";
    return;
  }
  expect_same(c.point.x, point.x, c.piece);
  expect_same(c.point.y, point.y, c.piece);
  expect_same(c.point.z, point.z, c.piece);
}

// The number syntax of a point line: white space before each number, a sign,
// digits with one point, an exponent with e or E.
TEST(ReadPoint, NumberForms) {
  const ReadCase cases[] = {
      {"1,2,3;\n", true, {1, 2, 3}},
      {"\t1.5e2,-2,+.5\n", true, {150, -2, 0.5}},
      {"1, 2, 3\n", true, {1, 2, 3}},
      {" \t\v\f\r1,\t2,  3", true, {1, 2, 3}},
      {"0.0078125,0,0", true, {0.0078125, 0, 0}},
      {"5.,.5,1.e1", true, {5, 0.5, 10}},
      {"1E-2,2e+2,-3E0", true, {0.01, 200, -3}},
      {"-0,+0,-0.0e7", true, {-0.0, 0, -0.0}},
      {"007,000.500,1e0003", true, {7, 0.5, 1000}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// A bare exponent letter is consumed with its sign and changes nothing; d and
// D are no exponent letters here.
TEST(ReadPoint, BareExponentLetters) {
  const ReadCase cases[] = {
      {"1e,2,3", true, {1, 2, 3}},  {"1e+,2E-,3e", true, {1, 2, 3}}, {"1,2,3e+x", true, {1, 2, 3}},
      {"1ex,2,3", false, {}},       {"1d5,2,3", false, {}},          {"1D5,2,3", false, {}},
      {"1,2,3d5", true, {1, 2, 3}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// Everything after the third number is ignored; a grouping comma is a
// separator.
TEST(ReadPoint, AfterTheThirdNumber) {
  const ReadCase cases[] = {
      {"1,2,3,4\n", true, {1, 2, 3}},
      {"1,000.5,2,3\n", true, {1, 0.5, 2}},
      {"1,2,3 // a comment", true, {1, 2, 3}},
      {std::string("1,2,3\0junk\n", 11), true, {1, 2, 3}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// Fewer than three numbers, or a comma that does not follow a number at once.
TEST(ReadPoint, NotAPointLine) {
  const ReadCase cases[] = {
      {"", false, {}},
      {"   \t\n", false, {}},
      {"\n", false, {}},
      {"1 ,2,3", false, {}},
      {"  1.5, -2 ,3\n", false, {}},
      {"1,,3", false, {}},
      {"1,2", false, {}},
      {"1,2,\n", false, {}},
      {",1,2,3", false, {}},
      {".,1,2", false, {}},
      {"-,1,2", false, {}},
      {"+-1,2,3", false, {}},
      {"1.2.3,4,5", false, {}},
      {"1.#INF00,2.000000,3.000000;", false, {}},
      {"inf,1,2", false, {}},
      {"0x1A,1,2", false, {}},
      {"}\n", false, {}},
      {"POINTS{\n", false, {}},
      {std::string("1\0,2,3", 6), false, {}},
      {std::string("\0"
                   "1,2,3",
                   6),
       false,
       {}},
      {"\xA0"
       "1,2,3",
       false,
       {}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// The piece ends where its length says, not at a NUL or past its end.
TEST(ReadPoint, StopsAtThePieceEnd) {
  const std::string text = "1,2,34567";
  Point point;
  ASSERT_TRUE(read_point(std::string_view(text).substr(0, 5), point));
  EXPECT_EQ(point.z, 3);
  EXPECT_FALSE(read_point(std::string_view(text).substr(0, 4), point));
}

// Exponents of any length neither overflow nor wrap around.
TEST(ReadPoint, HugeExponents) {
  const double inf = std::numeric_limits<double>::infinity();
  const ReadCase cases[] = {
      {"1e99999999999999999999,-1e99999999999999999999,1e-99999999999999999999",
       true,
       {inf, -inf, 0}},
      {"1e18446744073709551617,-0e99999999999999999999,1e-18446744073709551617",
       true,
       {inf, -0.0, 0}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// The common numbers (one to seven digits before the point, at most seven
// after it, no exponent) take a short way; the numbers just beyond it, and
// the forms it leaves alone, give their values all the same.
TEST(ReadPoint, ShortAndOtherNumbers) {
  const ReadCase cases[] = {
      {"1234567.1234567,-7654321.7654321,0.0000001",
       true,
       {1234567.1234567, -7654321.7654321, 1e-7}},
      {"12345678.5,1.12345678,12345678.12345678",
       true,
       {12345678.5, 1.12345678, 12345678.12345678}},
      {"9999999.9999999,-0.0000000,+0000000.5", true, {9999999.9999999, -0.0, 0.5}},
      {".5,-.25,+5.", true, {0.5, -0.25, 5}},
      {"1.5e0,2.25E1,-3.125e-2", true, {1.5, 22.5, -0.03125}},
      {"123456789012345678901234567890,0.1234567890123456789012,-1",
       true,
       {123456789012345678901234567890.0, 0.1234567890123456789012, -1}},
      {"  -1.5,\t2.25,\v3.125\n", true, {-1.5, 2.25, 3.125}},
  };
  for (const ReadCase& c : cases) check_reads(c);
}

// Every byte value after a run of digits, at every place in the scanners'
// eight-byte words, before and after the point: a digit, "." (once), e or E
// carry the number on, "," ends it, and any other byte leaves the piece no
// point line.
TEST(ReadPoint, EveryByteAfterDigits) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    for (std::size_t k = 1; k <= 16; ++k) {
      for (const bool in_fraction : {false, true}) {
        // 1.000... or 111...1, each an exact double.
        const std::string digits =
            in_fraction ? "1." + std::string(k - 1, '0') : std::string(k, '1');
        double value = 1;
        for (std::size_t i = 1; i < k && !in_fraction; ++i) value = value * 10 + 1;
        const std::string piece = digits + c + "5,2,3\n";
        Point point{-7, -7, -7};
        const bool read = read_point(piece, point);
        const bool carries_on =
            (c >= '0' && c <= '9') || c == 'e' || c == 'E' || (c == '.' && !in_fraction);
        if (carries_on) {
          EXPECT_TRUE(read) << piece;
        } else if (c == ',') {
          ASSERT_TRUE(read) << piece;
          EXPECT_EQ(point.x, value) << piece;
          EXPECT_EQ(point.y, 5) << piece;
          EXPECT_EQ(point.z, 2) << piece;
        } else {
          EXPECT_FALSE(read) << "byte " << b << " after " << digits;
        }
      }
    }
  }
}

// A piece is read from its own bytes alone, whatever its length: each length
// that is copied differently (below 8, 16, 32 and 64 bytes, above, and above
// the longest piece the pass cuts), from a buffer of exactly its size, and
// from the middle of a run of digits that must not join its numbers.
TEST(ReadPoint, ReadsOnlyThePiece) {
  // Short and long last numbers, among them the longest short ones, which
  // reach furthest.
  const std::string lasts[] = {"3",
                               "3.5",
                               "3.1234567",
                               "3.12345678",
                               "3e1",
                               "-1234567.1234567",
                               "1234567.1234567",
                               "-1234567.123456"};
  const double values[] = {
      3, 3.5, 3.1234567, 3.12345678, 30, -1234567.1234567, 1234567.1234567, -1234567.123456};
  for (std::size_t blanks = 0; blanks <= 300; ++blanks) {
    for (std::size_t i = 0; i < std::size(lasts); ++i) {
      const std::string piece = std::string(blanks, ' ') + "1,-2.5," + lasts[i];
      const auto exact_size = std::make_unique<char[]>(piece.size());
      std::copy(piece.begin(), piece.end(), exact_size.get());
      const std::string surrounded = "99999999" + piece + "99999999";
      for (const std::string_view view : {std::string_view(exact_size.get(), piece.size()),
                                          std::string_view(surrounded).substr(8, piece.size())}) {
        Point point;
        ASSERT_TRUE(read_point(view, point)) << piece.size() << ": " << piece;
        EXPECT_EQ(point.x, 1) << piece;
        EXPECT_EQ(point.y, -2.5) << piece;
        EXPECT_EQ(point.z, values[i]) << piece;
      }
    }
  }
}

TEST(WritePointLine, SixDecimalsCommasAndSemicolon) {
  char line[kMaxPointLineLength];
  const std::size_t n = write_point_line({1, -2.5, 0.0078125}, line);
  EXPECT_EQ(std::string(line, n), "1.000000,-2.500000,0.007813;\n");
}

// Three numbers of 317 characters each still fit the line.
TEST(WritePointLine, LongestLine) {
  char line[kMaxPointLineLength];
  const std::size_t n = write_point_line({-DBL_MAX, -DBL_MAX, -DBL_MAX}, line);
  EXPECT_EQ(n, kMaxPointLineLength);
  EXPECT_EQ(line[n - 1], '\n');
}

// Every line written for finite numbers reads back as a point line, holding
// the numbers rounded to six decimals.
TEST(WritePointLine, ReadsBack) {
  struct Case {
    Point written;
    Point read;
  };
  const Case cases[] = {
      {{1.25, -3.5, 1e-9}, {1.25, -3.5, 0}},
      {{123456.7890125, -0.0000005, 42}, {123456.789013, -0.0, 42}},
      {{1e20, 0, -1e-300}, {1e20, 0, -0.0}},
  };
  for (const Case& c : cases) {
    char line[kMaxPointLineLength];
    const std::size_t n = write_point_line(c.written, line);
    Point back;
    ASSERT_TRUE(read_point({line, n}, back)) << std::string(line, n);
    const std::string text(line, n);
    expect_same(c.read.x, back.x, text);
    expect_same(c.read.y, back.y, text);
    expect_same(c.read.z, back.z, text);
  }
}

}  // namespace
}  // namespace vertigrow
