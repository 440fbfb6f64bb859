// Decimal text to binary64. Every case runs through decimal_to_double (fast
// path first) given the text three ways, and through decimal_to_double_exact,
// and is checked against an exact reference on GMP rationals that shares no
// code with the conversion.
#include "decimal_to_double.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "number_scan.h"
#include "point_line.h"

namespace vertigrow {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinSubnormal = 0x1p-1074;
constexpr double kMaxSubnormal = 0x0.fffffffffffffp-1022;
constexpr double kMinNormal = 0x1p-1022;

// The digits a DecimalText points into, read from a literal like "-12.5e-3" the
// way the scanners hand a number over: exponent clamped to +-kExponentClamp.
struct Text {
  bool negative = false;
  std::string integer;
  std::string fraction;
  std::int64_t exponent = 0;

  DecimalText view() const { return {negative, integer, fraction, exponent}; }
};

Text parse(std::string_view s) {
  Text t;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) t.negative = s[i++] == '-';
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') t.integer += s[i++];
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') t.fraction += s[i++];
  }
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative_exponent = s[i++] == '-';
    std::int64_t e = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      e = std::min<std::int64_t>(e * 10 + (s[i++] - '0'), kExponentClamp);
    }
    t.exponent = negative_exponent ? -e : e;
  }
  EXPECT_EQ(i, s.size()) << "test literal not understood: " << s;
  return t;
}

// ---- The exact reference ----

mpq_class power_of_2(long n) {
  mpz_class p = 1;
  mpz_mul_2exp(p.get_mpz_t(), p.get_mpz_t(), static_cast<mp_bitcnt_t>(std::abs(n)));
  return n >= 0 ? mpq_class(p) : mpq_class(mpz_class(1), p);
}

// The exact rational value of a double.
mpq_class exact(double d) {
  return mpq_class(d);
}

// The nearest double to x > 0 with ties to the smaller magnitude, decided by
// exact comparisons with the halfway points.
double nearest(const mpq_class& x) {
  static const mpq_class two_to_1024 = power_of_2(1024);
  static const mpq_class min_normal = power_of_2(-1022);
  if (x >= two_to_1024) return kInf;
  if (x < min_normal) {
    // Count whole subnormal steps of 2^-1074, then look at what is left.
    const mpq_class scaled = x * power_of_2(1074);
    mpz_class steps = scaled.get_num() / scaled.get_den();
    if (scaled - steps > mpq_class(1, 2)) ++steps;
    return std::ldexp(steps.get_d(), -1074);  // steps <= 2^52: exact
  }
  // A candidate, then exact correction until low <= x < next above low.
  double low = x.get_d();
  while (exact(low) > x) low = std::nextafter(low, 0.0);
  auto above = [&](double d) {
    const double up = std::nextafter(d, kInf);
    return std::isinf(up) ? two_to_1024 : exact(up);
  };
  while (above(low) <= x) low = std::nextafter(low, kInf);
  const mpq_class halfway = (exact(low) + above(low)) / 2;
  return x > halfway ? std::nextafter(low, kInf) : low;
}

// The text's value, exactly, then nearest().
double reference(const Text& t) {
  const double sign = t.negative ? -1.0 : 1.0;
  const std::string digits = t.integer + t.fraction;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return std::copysign(0.0, sign);
  // The value lies in [10^(point-1), 10^point). Far outside the double range,
  // with a wide margin: 10^400 > 2^1024 and 10^-401 < 2^-1075.
  const std::int64_t point =
      static_cast<std::int64_t>(t.integer.size()) - static_cast<std::int64_t>(first) + t.exponent;
  if (point > 400) return std::copysign(kInf, sign);
  if (point < -400) return std::copysign(0.0, sign);
  const std::int64_t exponent10 = t.exponent - static_cast<std::int64_t>(t.fraction.size());
  mpz_class scale;
  mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::abs(exponent10)));
  mpq_class value{mpz_class(digits.substr(first), 10)};
  if (exponent10 >= 0) {
    value *= scale;
  } else {
    value /= scale;
  }
  return std::copysign(nearest(value), sign);
}

// The exact decimal digits of a dyadic rational q = n / 2^j >= 0: the integer
// n x 5^j and the power of ten -j that goes with it.
struct DecimalDigits {
  mpz_class digits;
  std::int64_t exponent10;
};

DecimalDigits decimal_digits(const mpq_class& q) {
  const std::size_t j = mpz_sizeinbase(q.get_den().get_mpz_t(), 2) - 1;
  mpz_class digits;
  mpz_ui_pow_ui(digits.get_mpz_t(), 5, j);
  return {digits * q.get_num(), -static_cast<std::int64_t>(j)};
}

// "d.ddd...eX": more digits can be appended to it without moving the others.
std::string scientific(const DecimalDigits& d, bool negative = false) {
  const std::string s = d.digits.get_str();
  const std::int64_t exponent = d.exponent10 + static_cast<std::int64_t>(s.size()) - 1;
  return (negative ? "-" : "") + s.substr(0, 1) + "." + s.substr(1) + "e" +
         std::to_string(exponent);
}

// "ddd...e-J", all digits before the point.
std::string integral(const DecimalDigits& d, bool negative = false) {
  return (negative ? "-" : "") + d.digits.get_str() + "e" + std::to_string(d.exponent10);
}

// The exact halfway point between low >= 0 and the next double up (2^1024
// above the largest).
mpq_class halfway_above(double low) {
  const double up = std::nextafter(low, kInf);
  return (exact(low) + (std::isinf(up) ? power_of_2(1024) : exact(up))) / 2;
}

std::uint64_t bits(double d) {
  return std::bit_cast<std::uint64_t>(d);
}

std::string shorten(const std::string& s) {
  if (s.size() <= 90) return s;
  return s.substr(0, 40) + "...(" + std::to_string(s.size()) + " chars)..." +
         s.substr(s.size() - 30);
}

// Appends digits to the fraction of a "d.ddd...eX" text.
std::string more_digits(std::string text, const std::string& digits) {
  return text.insert(text.find('e'), digits);
}

// A nonzero digit after n - 1 zeros.
std::string far_one(std::size_t n) {
  return std::string(n - 1, '0') + "1";
}

// ---- The ways under test ----
//
// decimal_to_double is handed each text three ways: put together by hand, so
// that it reads the digits itself; scanned, with the significand that the
// scanner gathers on the way; and as the x of a point line, through read_point
// and its own short path for the common numbers. decimal_to_double_exact is
// handed the text put together by hand.

double fast_then_exact(const Text& t) {
  return decimal_to_double(t.view());
}

double exact_alone(const Text& t) {
  return decimal_to_double_exact(t.view());
}

// The number as written: "-12.5e-3", with no point when there is no fraction.
std::string written(const Text& t) {
  std::string s = t.negative ? "-" : "";
  s += t.fraction.empty() ? t.integer : t.integer + "." + t.fraction;
  if (t.exponent != 0) s += "e" + std::to_string(t.exponent);
  return s;
}

// A text without digits is no number to the scanners; the two ways through
// them hand it over as put together by hand.
bool has_digits(const Text& t) {
  return !t.integer.empty() || !t.fraction.empty();
}

double scanned(const Text& t) {
  if (!has_digits(t)) return fast_then_exact(t);
  Text digits_only = t;
  digits_only.exponent = 0;
  const std::string number = written(digits_only);
  const char* const end = number.data() + number.size();
  DecimalText text;
  EXPECT_EQ(scan_significand(number.data(), end, text), end) << shorten(number);
  EXPECT_TRUE(text.has_significand || t.integer.size() + t.fraction.size() > 19);
  text.exponent = t.exponent;
  return decimal_to_double(text);
}

// The number as each of the three of a point line: read in place at the
// start, in the middle and at the end of the piece, where it is read near the
// end, and in a copy when it is not one of the short numbers.
double in_point_line(const Text& t) {
  if (!has_digits(t)) return fast_then_exact(t);
  const std::string number = written(t);
  const std::string piece = number + "," + number + "," + number + "\n";
  Point point;
  EXPECT_TRUE(read_point(piece, point)) << shorten(piece);
  EXPECT_EQ(bits(point.y), bits(point.x)) << shorten(piece);
  EXPECT_EQ(bits(point.z), bits(point.x)) << shorten(piece);
  return point.x;
}

struct Converter {
  const char* name;
  double (*convert)(const Text&);
};

void PrintTo(const Converter& c, std::ostream* os) {
  *os << c.name;
}

struct Case {
  std::string text;
  double expected;
};

class DecimalToDoubleTest : public ::testing::TestWithParam<Converter> {
 protected:
  double convert(const Text& t) const { return GetParam().convert(t); }

  // The conversion of each text gives its expected double, bit for bit, and
  // the reference agrees (which keeps the table itself honest).
  void check(const std::vector<Case>& cases) const {
    for (const Case& c : cases) {
      const Text t = parse(c.text);
      const double got = convert(t);
      EXPECT_EQ(bits(got), bits(c.expected))
          << shorten(c.text) << " gave " << got << ", expected " << c.expected;
      EXPECT_EQ(bits(reference(t)), bits(c.expected)) << "reference on " << shorten(c.text);
    }
  }

  // The conversion matches the reference.
  void check_against_reference(const Text& t) const {
    const double expected = reference(t);
    const double got = convert(t);
    EXPECT_EQ(bits(got), bits(expected))
        << (t.negative ? "-" : "") << shorten(t.integer) << "." << shorten(t.fraction) << "e"
        << t.exponent << " gave " << got << ", reference " << expected;
  }
};

// Exact halfway points go to the smaller magnitude, even where the other
// neighbour has the even significand.
TEST_P(DecimalToDoubleTest, TiesGoToSmallerMagnitude) {
  check({
      {"9007199254740993", 0x1p53},                              // 2^53 + 1: 2^53 is also even
      {"9007199254740995", 0x1.0000000000001p53},                // 2^53 + 3: 2^53 + 4 is even
      {"-9007199254740995", -0x1.0000000000001p53},              // the sign does not matter
      {"9007199254740993.000000", 0x1p53},                       // trailing zeros change nothing
      {"0.9007199254740995e16", 0x1.0000000000001p53},           // nor where the point is
      {"90071992547409950000000000e-10", 0x1.0000000000001p53},  // 26 digits
      {"18014398509481990", 0x1.0000000000001p54},               // 2^54 + 6, ulp 4
      {"100000000000000024", 100000000000000016.0},              // 18 digits, ulp 16
      {"10000000000000012e1", 100000000000000112.0},             // a tie with a positive exponent
      {"4503599627370497.5", 4503599627370497.0},                // a tie with a fraction
      {"1e23", 99999999999999991611392.0},  // 5^23 x 2^23, 5^23 odd with 54 bits
  });
}

// A digit far beyond the 17th decides a case that would be a tie without it;
// the 800th significant digit is the last one kept, the 801st and later only
// count as "something nonzero was here".
TEST_P(DecimalToDoubleTest, FarDigitDecidesTie) {
  std::vector<Case> cases;
  for (const std::size_t n : {24, 784, 785, 5000}) {  // 40th, 800th, 801st, 5016th digit
    cases.push_back({"9007199254740993." + far_one(n), 0x1.0000000000001p53});
    cases.push_back({"-9007199254740993." + far_one(n), -0x1.0000000000001p53});
    cases.push_back({"9007199254740992." + std::string(n, '9'), 0x1p53});
    cases.push_back({"9007199254740993." + std::string(n, '0'), 0x1p53});
    cases.push_back({"1." + far_one(n) + "e23", 100000000000000008388608.0});
  }
  check(cases);
}

// Halfway points computed exactly between neighbours across the range:
// zero and the smallest subnormal (half of it is 2^-1075), within the
// subnormals, the largest subnormal and the smallest normal, ordinary values,
// and the largest double and 2^1024.
TEST_P(DecimalToDoubleTest, HalfwayBetweenNeighbours) {
  const double lows[] = {0.0, kMinSubnormal, 0x1p-1060, kMaxSubnormal, kMinNormal,
                         0.1, 1.0,           1e22,      0x1p1000,      kMax};
  for (const double low : lows) {
    const double up = std::nextafter(low, kInf);
    const DecimalDigits tie = decimal_digits(halfway_above(low));
    const DecimalDigits below{tie.digits - 1, tie.exponent10};
    const DecimalDigits above{tie.digits + 1, tie.exponent10};
    for (const bool negative : {false, true}) {
      const double s = negative ? -1.0 : 1.0;
      check({
          {scientific(tie, negative), s * low},
          {integral(tie, negative), s * low},
          {scientific(below, negative), s * low},
          {scientific(above, negative), s * up},
          {more_digits(scientific(tie, negative), std::string(3000, '0')), s * low},
          {more_digits(scientific(tie, negative), far_one(40)), s * up},
          {more_digits(scientific(tie, negative), far_one(3000)), s * up},
      });
    }
  }
}

// Too large for a double: infinity with the text's sign, from the tie between
// the largest double and 2^1024 upwards, however long the exponent.
TEST_P(DecimalToDoubleTest, Overflow) {
  check({
      {"1.7976931348623157e308", kMax},
      {"1.7976931348623158e308", kMax},  // below the tie at 1.797693134862315807...e308
      {"1.7976931348623159e308", kInf},
      {"-1.7976931348623159e308", -kInf},
      {"1e309", kInf},
      {"-1e309", -kInf},
      {"1" + std::string(308, '0'), 1e308},
      {"1" + std::string(309, '0'), kInf},
      {"1e99999999999999999999", kInf},  // exponent clamped to 10^9
      {"-1e99999999999999999999", -kInf},
      {"0." + std::string(5000, '0') + "1e99999999999999999999", kInf},
      {"0." + std::string(400, '0') + "1e401", 1.0},  // the exponent and the zeros cancel
  });
}

// Too small for a double: zero with the text's sign, up to and including
// half the smallest subnormal.
TEST_P(DecimalToDoubleTest, Underflow) {
  check({
      {"1e-400", 0.0},
      {"-1e-400", -0.0},
      {"2.4703282292062327e-324", 0.0},  // just below 2^-1075 = 2.47032822920623272088...e-324
      {"-2.4703282292062327e-324", -0.0},
      {"1e-99999999999999999999", 0.0},
      {"-1e-99999999999999999999", -0.0},
      {std::string(5000, '9') + "e-99999999999999999999", 0.0},
      {"123456789e-99999999999999999999", 0.0},
  });
}

// The subnormal range and its edges, rounded by the same rule.
TEST_P(DecimalToDoubleTest, Subnormals) {
  check({
      {"2.4703282292062328e-324", kMinSubnormal},  // just above half the smallest
      {"-2.4703282292062328e-324", -kMinSubnormal},
      {"4.9406564584124654e-324", kMinSubnormal},
      {"1e-323", 0x0.0000000000002p-1022},
      {"2.2250738585072009e-308", kMaxSubnormal},
      {"2.2250738585072011e-308", kMaxSubnormal},  // the tie is at 2.22507385850720113605...e-308
      {"2.2250738585072012e-308", kMinNormal},
      {"2.2250738585072014e-308", kMinNormal},
      {"1e-310", 1e-310},
  });
}

// Zeros keep the text's sign, whatever the exponent.
TEST_P(DecimalToDoubleTest, SignedZero) {
  check({
      {"0", 0.0},
      {"-0", -0.0},
      {"-0.000", -0.0},
      {"-0e5", -0.0},
      {"0e99999", 0.0},
      {"-0e-99999999999999999999", -0.0},
      {"-" + std::string(5000, '0') + "." + std::string(5000, '0'), -0.0},
      {"", 0.0},  // no digits at all, which the scanners never hand over
      {"-", -0.0},
  });
}

// Zeros before the first significant digit move the point, zeros after the
// last do nothing, in the integer and in the fraction.
TEST_P(DecimalToDoubleTest, LeadingAndTrailingZeros) {
  check({
      {"000000000123", 123.0},
      {"0.000000000123", 1.23e-10},
      {"0000.0001e4", 1.0},
      {std::string(5000, '0') + "1", 1.0},
      {"0." + std::string(5000, '0') + "1e5001", 1.0},
      {".5", 0.5},
      {"00.5", 0.5},
      {"5.", 5.0},
      {"1.5000000000000000000000000000", 1.5},
      {"1500000000000000000000000e-24", 1.5},
      {"1" + std::string(5000, '0') + "e-5000", 1.0},
      {"0.1000000000000000000000", 0.1},
      {"100e-2", 1.0},
  });
}

// Every digit of a long text counts.
TEST_P(DecimalToDoubleTest, LongDigitStrings) {
  check({
      {"0." + std::string(3000, '3'), 1.0 / 3.0},
      {"0." + std::string(3000, '9'), 1.0},
      {"1." + far_one(3000), 1.0},
      {"4503599627370497.4" + std::string(3000, '9'), 4503599627370497.0},
      {"4503599627370497.5" + std::string(3000, '0'), 4503599627370497.0},
      {"4503599627370497.5" + far_one(3000), 4503599627370498.0},
      {std::string(300, '9'), 1e300},
      {std::string(2000, '7') + "e-1700", 7.7777777777777777777777e299},
  });
}

// Ordinary numbers, most of them for the fast path.
TEST_P(DecimalToDoubleTest, PlainValues) {
  check({
      {"0.1", 0.1},
      {"1.5e2", 150.0},
      {"123.456789", 123.456789},
      {"-1234.567890", -1234.56789},
      {"17", 17.0},
      {"0.5", 0.5},
      {"3.141592653589793", 3.141592653589793},
      {"1e22", 1e22},
      {"1e-22", 1e-22},
      {"123456789012345678", 123456789012345678.0},
      {"1844674407370955161", 1844674407370955161.0},    // 19 digits
      {"18446744073709551615", 18446744073709551615.0},  // 20 digits: exact path
      {"0.000001", 0.000001},
      {"-999999.999999", -999999.999999},
      {"8.98846567431158e307", 8.98846567431158e307},
  });
}

// Random texts of every shape against the reference.
TEST_P(DecimalToDoubleTest, RandomTextsMatchReference) {
  std::mt19937_64 rng(20240611);
  auto uniform = [&](std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
  };
  for (int i = 0; i < 3000; ++i) {
    const std::int64_t shape = uniform(0, 99);
    const std::int64_t length = shape < 85   ? uniform(1, 25)
                                : shape < 95 ? uniform(26, 60)
                                             : uniform(800, 1200);
    std::string digits;
    if (uniform(0, 4) == 0) digits.assign(static_cast<std::size_t>(uniform(1, 30)), '0');
    for (std::int64_t k = 0; k < length; ++k) digits += static_cast<char>('0' + uniform(0, 9));
    if (uniform(0, 9) == 0) digits += std::string(static_cast<std::size_t>(uniform(1, 900)), '0');
    Text t;
    t.negative = uniform(0, 1) == 1;
    const std::size_t split =
        static_cast<std::size_t>(uniform(0, static_cast<std::int64_t>(digits.size())));
    t.integer = digits.substr(0, split);
    t.fraction = digits.substr(split);
    // The decimal point position, mostly where doubles are, sometimes far out.
    const std::int64_t where = uniform(0, 19);
    const std::int64_t point = where < 15   ? uniform(-345, 330)
                               : where < 17 ? uniform(-30, 30)
                               : where < 18 ? uniform(-kExponentClamp, kExponentClamp)
                                            : (uniform(0, 1) ? kExponentClamp : -kExponentClamp);
    t.exponent = std::clamp<std::int64_t>(point - static_cast<std::int64_t>(split), -kExponentClamp,
                                          kExponentClamp);
    check_against_reference(t);
  }
}

// Exact halfway points between random neighbours, and one unit in their last
// digit either side, against the reference and against what they must give.
TEST_P(DecimalToDoubleTest, RandomHalfwayPointsMatchReference) {
  std::mt19937_64 rng(20240612);
  for (int i = 0; i < 1500; ++i) {
    // Any finite nonnegative double, every exponent field equally likely.
    const std::uint64_t exponent_field = rng() % 2047;
    const double low = std::bit_cast<double>((exponent_field << 52) | (rng() >> 12));
    const double up = std::nextafter(low, kInf);
    const bool negative = rng() % 2 == 1;
    const double s = negative ? -1.0 : 1.0;
    const DecimalDigits tie = decimal_digits(halfway_above(low));
    const std::pair<DecimalDigits, double> variants[] = {{tie, low},
                                                         {{tie.digits - 1, tie.exponent10}, low},
                                                         {{tie.digits + 1, tie.exponent10}, up}};
    for (const auto& [d, expected] : variants) {
      const Text t = parse(rng() % 2 ? scientific(d, negative) : integral(d, negative));
      EXPECT_EQ(bits(reference(t)), bits(s * expected)) << "reference on " << scientific(d);
      check_against_reference(t);
    }
  }
}

// Runs of every length up to 20 digits before and after the point, so that
// the eight-digit words of the scanners, the seven digits of the point-line
// short path and the 19 digits of a 64-bit significand are all crossed; with
// and without leading zeros, and with small exponents either way.
TEST_P(DecimalToDoubleTest, DigitRunLengths) {
  std::mt19937_64 rng(20240613);
  auto digits = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    return s;
  };
  for (std::size_t before = 0; before <= 20; ++before) {
    for (std::size_t after = 0; after <= 20; ++after) {
      if (before + after == 0) continue;
      for (const bool leading_zeros : {false, true}) {
        Text t;
        t.negative = rng() % 2 == 1;
        t.integer = digits(before);
        t.fraction = digits(after);
        if (leading_zeros) {
          const std::size_t zeros = (before + after + 1) / 2;
          t.integer.replace(0, std::min(zeros, before), std::min(zeros, before), '0');
          if (zeros > before) t.fraction.replace(0, zeros - before, zeros - before, '0');
        }
        t.exponent = rng() % 3 == 0 ? static_cast<std::int64_t>(rng() % 61) - 30 : 0;
        check_against_reference(t);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllWays, DecimalToDoubleTest,
    ::testing::Values(Converter{"FastThenExact", fast_then_exact}, Converter{"Scanned", scanned},
                      Converter{"PointLine", in_point_line}, Converter{"Exact", exact_alone}),
    [](const ::testing::TestParamInfo<Converter>& param) { return std::string(param.param.name); });

// Not a check: the cost of typical point-line numbers (up to four integer
// digits, six decimals) through each path, printed for comparison. The texts
// are scanned first, as the scanners hand them over.
TEST(DecimalToDoubleSpeed, TypicalCoordinates) {
  std::mt19937_64 rng(7);
  std::vector<std::string> numbers(1000);
  std::vector<DecimalText> texts(numbers.size());
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    numbers[i] = (rng() % 2 == 1 ? "-" : "") + std::to_string(rng() % 10000) + "." +
                 std::to_string(1000000 + rng() % 1000000).substr(1);
    scan_significand(numbers[i].data(), numbers[i].data() + numbers[i].size(), texts[i]);
  }
  auto measure = [&](double (*convert)(const DecimalText&), int rounds) {
    double sum = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < rounds; ++r) {
      for (const DecimalText& t : texts) sum += convert(t);
    }
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(std::isfinite(sum));
    return elapsed.count() / (static_cast<double>(rounds) * static_cast<double>(texts.size()));
  };
  const double fast = measure(decimal_to_double, 2000);
  const double exact = measure(decimal_to_double_exact, 100);
  std::printf("decimal_to_double: %.1f ns, decimal_to_double_exact: %.1f ns per conversion\n", fast,
              exact);
}

}  // namespace
}  // namespace vertigrow
