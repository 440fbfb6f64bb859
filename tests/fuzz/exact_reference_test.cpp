// The exact reference that the fuzz targets trust, held against values
// worked out by hand: a wrong reference would hide faults or invent them.
#include "exact_reference.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace vertigrow::reference {
namespace {

const double kInf = std::numeric_limits<double>::infinity();

void expect_bits(double expected, double actual, const std::string& what) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(expected), std::bit_cast<std::uint64_t>(actual))
      << what << ": " << expected << " vs " << actual;
}

// The decimal digits of 2^power (power >= 0) or of 5^-power, so that
// digits * 10^power is exactly 2^power either way.
Decimal power_of_two(long power) {
  mpz_class value;
  mpz_ui_pow_ui(value.get_mpz_t(), power >= 0 ? 2 : 5,
                static_cast<unsigned long>(std::labs(power)));
  return {false, value.get_str(), power >= 0 ? 0 : power};
}

// The digits of (2a + 1) * 2^(power - 1), halfway between a * 2^power and
// (a + 1) * 2^power; power >= 1.
Decimal halfway(const mpz_class& a, long power) {
  mpz_class value = (2 * a + 1) << static_cast<mp_bitcnt_t>(power - 1);
  return {false, value.get_str(), 0};
}

Decimal plus_last_digit(Decimal number, const std::string& extra) {
  number.digits += extra;
  number.exponent -= static_cast<std::int64_t>(extra.size());
  return number;
}

// Ties go to the smaller magnitude; anything past the tie goes up.
TEST(NearestDouble, Ties) {
  // 2^53 + 3 lies between 2^53 + 2 and 2^53 + 4; the smaller one has an odd
  // significand, so this is no round-half-even.
  expect_bits(9007199254740994.0, nearest_double({false, "9007199254740995", 0}), "2^53+3");
  expect_bits(9007199254740996.0, nearest_double({false, "90071992547409950001", -4}),
              "2^53+3 and a bit");
  expect_bits(-9007199254740994.0, nearest_double({true, "9007199254740995", 0}), "-(2^53+3)");
  expect_bits(0.5, nearest_double({false, "5", -1}), "0.5");
  expect_bits(0x1.999999999999ap-4, nearest_double({false, "1", -1}), "0.1");
}

// The ends of the range: the overflow tie, half the smallest subnormal, and
// values far out that are classified without being built.
TEST(NearestDouble, RangeEnds) {
  const mpz_class max_significand = (mpz_class(1) << 53) - 1;
  const Decimal overflow_tie = halfway(max_significand, 971);
  expect_bits(DBL_MAX, nearest_double(overflow_tie), "DBL_MAX + half an ulp");
  expect_bits(kInf, nearest_double(plus_last_digit(overflow_tie, "1")), "just past it");

  const Decimal half_min = power_of_two(-1075);
  expect_bits(0.0, nearest_double(half_min), "2^-1075");
  expect_bits(std::numeric_limits<double>::denorm_min(),
              nearest_double(plus_last_digit(half_min, "1")), "just past 2^-1075");
  expect_bits(-0.0, nearest_double({true, "1", -400}), "-1e-400");
  expect_bits(0x0.fffffffffffffp-1022, nearest_double({false, "22250738585072011", -324}),
              "largest subnormal");
  expect_bits(DBL_MIN, nearest_double(power_of_two(-1022)), "2^-1022");

  expect_bits(kInf, nearest_double({false, "1", 1'000'000'000'000'000}), "1e(10^15)");
  expect_bits(0.0, nearest_double({false, "1", -1'000'000'000'000'000}), "1e-(10^15)");
  expect_bits(-0.0, nearest_double({true, "000", 5}), "-000e5");
  expect_bits(1.0, nearest_double({false, "1" + std::string(400, '0'), -400}), "long one");
}

TEST(ReadPointLine, Syntax) {
  const auto point = read_point_line(" \v1e+,\f2E-,\r-3e2d5");
  ASSERT_TRUE(point.has_value());
  expect_bits(1, point->x, "x");
  expect_bits(2, point->y, "y");
  expect_bits(-300, point->z, "z");
  EXPECT_FALSE(read_point_line("1 ,2,3"));
  EXPECT_FALSE(read_point_line("1d1,2,3"));
  EXPECT_FALSE(read_point_line("1,2"));
  EXPECT_FALSE(
      read_point_line("\xa0"
                      "1,2,3"));
  EXPECT_FALSE(read_point_line("1ex,2,3"));
}

TEST(ReadScaleArgument, Syntax) {
  expect_bits(1, read_scale_argument("1e"), "1e");
  expect_bits(1, read_scale_argument("1e-x"), "1e-x");
  expect_bits(0x1.999999999999ap-4, read_scale_argument(" 1d-1"), "1d-1");
  expect_bits(150, read_scale_argument("1.5D+2"), "1.5D+2");
  expect_bits(0.0, read_scale_argument("-x"), "-x");
  expect_bits(-0.0, read_scale_argument("-0"), "-0");
  expect_bits(0.0, read_scale_argument("."), ".");
}

// The two rounding steps, each where it decides the result.
TEST(Fixed6Text, TwoRoundingSteps) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      // 0.12345649999999999679...: 17 digits give ...650000, then half-up.
      {0.1234565, "0.123457"},
      // 999999.99999949999619...: both steps carry into the integer digits.
      {999999.9999995, "1000000.000000"},
      {12.3456785, "12.345679"},
      // Exact ties at the sixth place round up.
      {0.0078125, "0.007813"},
      {-0.0078125, "-0.007813"},
      // 4.99999999999999977e-7: below the half, and the "-" stays.
      {5e-7, "0.000000"},
      {-5e-7, "-0.000000"},
      {-1e-300, "-0.000000"},
      {-0.0, "0.000000"},
      {123456789012345678.0, "123456789012345680.000000"},
      {std::numeric_limits<double>::denorm_min(), "0.000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(fixed6_text(c.value), c.text) << c.value;
  EXPECT_EQ(fixed6_text(DBL_MAX), "17976931348623157" + std::string(292, '0') + ".000000");
}

TEST(Fixed6Text, Markers) {
  const struct {
    std::uint64_t bits;
    const char* text;
  } cases[] = {
      {0x7FF0000000000000, "1.#INF00"},  {0xFFF0000000000000, "-1.#INF00"},
      {0xFFF8000000000000, "-1.#IND00"}, {0x7FF8000000000000, "1.#QNAN0"},
      {0xFFF8000000000001, "-1.#QNAN0"}, {0x7FF0000000000001, "1.#SNAN0"},
      {0xFFF4000000000000, "-1.#SNAN0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fixed6_text(std::bit_cast<double>(c.bits)), c.text) << std::hex << c.bits;
  }
}

TEST(HasFixed6Form, Forms) {
  for (const char* good : {"0.000000", "-0.000000", "10.500000", "-1.#IND00", "1.#SNAN0"}) {
    EXPECT_TRUE(has_fixed6_form(good)) << good;
  }
  for (const char* bad : {"", "-", ".000000", "01.000000", "1.00000", "1.0000000", "1,000000",
                          "--1.000000", "1.#INF0", "+1.000000"}) {
    EXPECT_FALSE(has_fixed6_form(bad)) << bad;
  }
}

}  // namespace
}  // namespace vertigrow::reference
