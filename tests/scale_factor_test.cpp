#include "scale_factor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vertigrow {
namespace {

struct Case {
  std::string argument;
  double factor;
};

void check(const Case& c) {
  const double got = parse_scale_factor(c.argument);
  EXPECT_EQ(got, c.factor) << '"' << c.argument << '"';
  EXPECT_EQ(std::signbit(got), std::signbit(c.factor)) << '"' << c.argument << '"';
}

// The longest leading number counts; the rest of the argument is ignored.
TEST(ScaleFactor, LongestLeadingNumber) {
  const Case cases[] = {
      {"2", 2},
      {"-1.5", -1.5},
      {"+.5", 0.5},
      {"5.", 5},
      {"2,5", 2},
      {"1.2.3", 1.2},
      {"0x1A", 0},
      {"3cm", 3},
      {"1e", 1},
      {"1e+", 1},
      {"1e-x", 1},
      {"1E-2", 0.01},
      {"1e+2", 100},
      {"1.5d2", 150},
      {"1.5D2", 150},
      {"2d-1", 0.2},
      {"1d", 1},
      {"1dd2", 1},
      {"007", 7},
      {"1e2e3", 100},
      {std::string("2\0"
                   "5",
                   3),
       2},  // a NUL ends the number like any other byte
      {"0." + std::string(300, '0') + "15e301", 1.5},
  };
  for (const Case& c : cases) check(c);
}

// Only the six ASCII white space characters are skipped.
TEST(ScaleFactor, LeadingWhiteSpace) {
  const Case cases[] = {
      {" 2", 2},
      {" \t\n\v\f\r-2", -2},
      {"\xA0"
       "2",
       0},
      {"\x1c"
       "2",
       0},
  };
  for (const Case& c : cases) check(c);
}

// An argument that does not begin with a number is +0; only a number that is
// zero keeps its minus sign.
TEST(ScaleFactor, NoNumberGivesPositiveZero) {
  const Case cases[] = {
      {"", 0.0},    {"abc", 0.0},     {"inf", 0.0}, {"nan", 0.0},  {".", 0.0},
      {"-", 0.0},   {"--5", 0.0},     {"+-5", 0.0}, {"-.", 0.0},   {"-e5", 0.0},
      {"-0", -0.0}, {"-0.0e9", -0.0}, {"+0", 0.0},  {"-.0", -0.0},
  };
  for (const Case& c : cases) check(c);
}

// Values beyond the range of a double, and exponents of any length.
TEST(ScaleFactor, OutOfRange) {
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"1e999", inf},
      {"-1e999", -inf},
      {"1d999", inf},
      {"1e-999", 0.0},
      {"-1e-999", -0.0},
      {"1e99999999999999999999", inf},
      {"1e-99999999999999999999", 0.0},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
  };
  for (const Case& c : cases) check(c);
}

}  // namespace
}  // namespace vertigrow
