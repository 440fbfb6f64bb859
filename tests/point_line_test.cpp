#include "point_line.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

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
