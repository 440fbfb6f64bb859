// format_fixed6 and format_fixed6_exact against fixed cases and against an
// exact reference written here with GMP rationals.
#include "fixed6_format.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "fixed6_u128.h"

namespace vertigrow {
namespace {

// ---------------------------------------------------------------------------
// The reference: the same two rounding steps, done on exact rationals.

mpz_class pow10(unsigned long n) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
  return p;
}

// floor(a / b + 1/2) for positive a, b: to nearest, ties up.
mpz_class round_half_up(const mpz_class& a, const mpz_class& b) {
  mpz_class q = 2 * a + b;
  mpz_class d = 2 * b;
  mpz_fdiv_q(q.get_mpz_t(), q.get_mpz_t(), d.get_mpz_t());
  return q;
}

// |value| = num / den exactly, from the bits.
void exact_magnitude(double value, mpz_class& num, mpz_class& den) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int field = static_cast<int>((bits >> 52) & 0x7FF);
  num = static_cast<unsigned long>(bits & 0xFFFFFFFF);
  num += mpz_class(static_cast<unsigned long>((bits >> 32) & 0xFFFFF)) << 32;
  if (field != 0) num += mpz_class(1) << 52;
  const int exponent = (field == 0 ? 1 : field) - 1075;
  den = 1;
  if (exponent >= 0) {
    num <<= static_cast<unsigned long>(exponent);
  } else {
    den <<= static_cast<unsigned long>(-exponent);
  }
}

// The text for a finite value.
std::string reference_fixed6(double value) {
  mpz_class num, den;
  exact_magnitude(value, num, den);
  if (num == 0) return "0.000000";
  const bool negative = std::bit_cast<std::uint64_t>(value) >> 63;

  // E with 10^(E-1) <= num/den < 10^E, from a digit-count guess.
  long e = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 10)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 10));
  auto below_pow10 = [&](long n) {  // num/den < 10^n
    return n >= 0 ? num < den * pow10(n) : num * pow10(-n) < den;
  };
  while (!below_pow10(e)) ++e;
  while (below_pow10(e - 1)) --e;

  // Seventeen significant digits: d = round(num/den * 10^(17-E)).
  const long p = 17 - e;
  const mpz_class d =
      p >= 0 ? round_half_up(num * pow10(p), den) : round_half_up(num, den * pow10(-p));

  // Six decimals: r = round(d * 10^(E-17) * 10^6) = round(d * 10^(E-11)).
  const mpz_class r = e >= 11 ? mpz_class(d * pow10(e - 11)) : round_half_up(d, pow10(11 - e));

  std::string digits = r.get_str();
  if (digits.size() < 7) digits = std::string(7 - digits.size(), '0') + digits;
  const std::size_t integer_digits = digits.size() - 6;
  std::string text = negative ? "-" : "";
  text.append(digits, 0, integer_digits).append(".").append(digits, integer_digits, 6);
  return text;
}

// The double nearest to num/den (positive, in the normal range), ties to even.
double nearest_double(const mpz_class& num, const mpz_class& den) {
  long e = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2)) - 53;
  const mpz_class low = mpz_class(1) << 52, high = mpz_class(1) << 53;
  for (;;) {
    mpz_class a = num, b = den;  // a / b = num / den / 2^e
    if (e >= 0) {
      b <<= static_cast<unsigned long>(e);
    } else {
      a <<= static_cast<unsigned long>(-e);
    }
    mpz_class m, rest;
    mpz_fdiv_qr(m.get_mpz_t(), rest.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
    if (m < low) {
      --e;
      continue;
    }
    if (m >= high) {
      ++e;
      continue;
    }
    const int c = cmp(2 * rest, b);
    if (c > 0 || (c == 0 && mpz_odd_p(m.get_mpz_t()))) ++m;
    return std::ldexp(m.get_d(), static_cast<int>(e));  // m <= 2^53: exact
  }
}

double from_bits(std::uint64_t bits) {
  return std::bit_cast<double>(bits);
}
std::uint64_t to_bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

// A whole number: leading digits, then zero_count zeros, then ".000000".
std::string whole_number(std::string leading, std::size_t zero_count) {
  return leading.append(zero_count, '0').append(".000000");
}

// ---------------------------------------------------------------------------
// Both public functions run every case.

struct Formatter {
  const char* name;
  std::size_t (*format)(double, char*);
};

void PrintTo(const Formatter& formatter, std::ostream* os) {
  *os << formatter.name;
}

class Fixed6Format : public ::testing::TestWithParam<Formatter> {
 protected:
  // The text written, after checking that nothing is written past it.
  std::string run(double value) {
    constexpr char kUnwritten = '\x7f';
    char buf[kMaxFixed6Length + 16];
    std::fill(std::begin(buf), std::end(buf), kUnwritten);
    const std::size_t length = GetParam().format(value, buf);
    EXPECT_LE(length, kMaxFixed6Length) << "bits 0x" << std::hex << to_bits(value);
    for (std::size_t i = length; i < sizeof buf; ++i) {
      if (buf[i] != kUnwritten) {
        ADD_FAILURE() << "wrote past the returned length at " << i << " for bits 0x" << std::hex
                      << to_bits(value);
        break;
      }
    }
    return std::string(buf, std::min(length, sizeof buf));
  }

  struct Case {
    double value;
    std::string text;
  };

  // Each case through the function under test, and through the reference,
  // so that the reference is itself held to the worked-out answers.
  void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      EXPECT_EQ(run(c.value), c.text) << "value " << std::hexfloat << c.value;
      if (std::isfinite(c.value)) {
        EXPECT_EQ(reference_fixed6(c.value), c.text) << "reference";
      }
    }
  }

  // Against the reference; reports the first few differences only.
  void sweep(const std::vector<double>& values) {
    int failures = 0;
    for (double v : values) {
      const std::string expected = reference_fixed6(v);
      const std::string got = run(v);
      if (got != expected && ++failures <= 10) {
        ADD_FAILURE() << "bits 0x" << std::hex << to_bits(v) << std::dec << " (" << std::hexfloat
                      << v << std::defaultfloat << "): got " << got << ", expected " << expected;
      }
    }
    EXPECT_EQ(failures, 0);
  }
};

// Typical coordinates: the six decimals are the value's own.
TEST_P(Fixed6Format, Coordinates) {
  check({
      {-1234.56789, "-1234.567890"},
      {0.1, "0.100000"},
      {1.0 / 3, "0.333333"},
      {2.0 / 3, "0.666667"},
      {42, "42.000000"},
      {-0.3, "-0.300000"},
      {987654.321, "987654.321000"},
      {0.5, "0.500000"},
      {1.5, "1.500000"},
      {2.5, "2.500000"},
  });
}

// The seventh decimal is exactly 5 in the 17-digit string: the second step
// rounds half-up (not to even), whether the stored double is a tie itself
// (0.0078125 = 2^-7) or only its 17-digit string is (0.1234565 is stored as
// 0.12345649999999999679...). 0.0000005 is stored just below the half and its
// 17-digit string stays below: 4.9999999999999998e-7.
TEST_P(Fixed6Format, SeventhDecimalEdge) {
  check({
      {0.0078125, "0.007813"},
      {-0.0078125, "-0.007813"},
      {1.0078125, "1.007813"},
      {12345.0078125, "12345.007813"},
      {0.0234375, "0.023438"},
      {0.1234565, "0.123457"},
      {1234567890.1234565, "1234567890.123457"},  // the seventh decimal is the 17th digit
      {0.0000005, "0.000000"},
      {0.0000015, "0.000002"},  // 1.5000000000000000e-6
      {0.0000025, "0.000003"},  // 2.5000000000000002e-6
      {0.0000035, "0.000003"},  // 3.4999999999999999e-6
      {9.9999995, "9.999999"},  // 9.9999994999999995
      {99999.9999995, "99999.999999"},
      {std::ldexp(1, -20), "0.000001"},  // 9.5367431640625e-7
      {std::ldexp(1, -21), "0.000000"},  // 4.76837158203125e-7
  });
}

// Rounding up carries through nines into the integer part, which can gain
// a digit; in the first step it can carry out of all 17 digits.
TEST_P(Fixed6Format, Carrying) {
  check({
      {999999.9999995, "1000000.000000"},  // 17 digits: 99999999999950000
      {from_bits(to_bits(999999.9999995) + 1), "1000000.000000"},
      {from_bits(to_bits(999999.9999995) - 1), "999999.999999"},
      {-999999.9999995, "-1000000.000000"},
      {9999999.9999995, "10000000.000000"},
      {0.9999995, "1.000000"},
      {0.9999996, "1.000000"},
      {-0.9999996, "-1.000000"},
      {from_bits(to_bits(9.9999995) + 1), "10.000000"},
      // 2^60 = 1152921504606846976: 11529215046068469|76 carries two nines.
      {std::ldexp(1, 60), "1152921504606847000.000000"},
      // The double 1e98 is below 10^98, but its 17-digit rounding is 10^98.
      {1e98, whole_number("1", 98)},
  });
}

// Magnitudes whose first 17-digit rounding leaves nothing at or above the
// seventh decimal: every digit printed is 0, and a negative keeps its "-".
TEST_P(Fixed6Format, RoundingToZero) {
  check({
      {1e-7, "0.000000"},
      {4.9999999999999999e-7, "0.000000"},  // the same double as 5e-7
      {5e-7, "0.000000"},
      {from_bits(to_bits(5e-7) + 1), "0.000001"},  // 5.0000000000000008e-7
      {-from_bits(to_bits(5e-7) + 1), "-0.000001"},
      {-1e-9, "-0.000000"},
      {-1e-300, "-0.000000"},
      {std::ldexp(1, -24), "0.000000"},
      {std::ldexp(-1, -24), "-0.000000"},
      {std::numeric_limits<double>::min(), "0.000000"},
  });
}

TEST_P(Fixed6Format, NegativeZero) {
  check({
      {0.0, "0.000000"},
      {-0.0, "0.000000"},
  });
}

TEST_P(Fixed6Format, Subnormals) {
  check({
      {4.9406564584124654e-324, "0.000000"},
      {-4.9406564584124654e-324, "-0.000000"},
      {2.2250738585072009e-308, "0.000000"},  // the largest
      {from_bits(0x8000000000000001), "-0.000000"},
  });
}

// Past the 17th significant digit, integer digits and decimals are 0.
TEST_P(Fixed6Format, SeventeenDigitLimit) {
  check({
      {1e20, "100000000000000000000.000000"},
      {1e23, "99999999999999992000000.000000"},         // stored 99999999999999991611392
      {123456789012345.678, "123456789012345.670000"},  // 15 digits and 3 decimals
      {std::ldexp(1, 53), "9007199254740992.000000"},
      {std::ldexp(1, 53) - 1, "9007199254740991.000000"},
      {std::ldexp(1, 53) + 2, "9007199254740994.000000"},
      {std::ldexp(1, 57), "144115188075855870.000000"},  // 144115188075855872
      {4503599627370495.5, "4503599627370495.500000"},
      {1000000000000000.25, "1000000000000000.300000"},  // 17 digits: ...0002|5 rounds up
      {1e16, "10000000000000000.000000"},
  });
}

// The first step's exact ties: 18 significant digits ending in 5 raise the
// 17th digit (to even would keep it). They show when the 17th digit is printed.
TEST_P(Fixed6Format, SeventeenDigitTie) {
  check({
      {123456789012.015625, "123456789012.015630"},   // 7901234496769 / 2^6
      {1234567890123.03125, "1234567890123.031300"},  // 39506172483937 / 2^5
      {-1234567890123.03125, "-1234567890123.031300"},
      {1.00000762939453125, "1.000008"},  // 1 + 2^-17
  });
}

TEST_P(Fixed6Format, Extremes) {
  const double max = std::numeric_limits<double>::max();
  const std::string max_text = whole_number("17976931348623157", 292);
  check({
      {max, max_text},
      {-max, std::string("-").append(max_text)},
      {std::ldexp(1, 1023), whole_number("89884656743115795", 291)},
  });
  EXPECT_EQ(run(-max).size(), kMaxFixed6Length);
}

// Infinities and NaNs by their bits: quiet bit 0x0008000000000000.
TEST_P(Fixed6Format, Markers) {
  check({
      {std::numeric_limits<double>::infinity(), "1.#INF00"},
      {-std::numeric_limits<double>::infinity(), "-1.#INF00"},
      {from_bits(0xFFF8000000000000), "-1.#IND00"},  // sign, quiet, zero payload
      {from_bits(0x7FF8000000000000), "1.#QNAN0"},   // the same without the sign
      {from_bits(0x7FF8000000000001), "1.#QNAN0"},
      {from_bits(0xFFF8000000000001), "-1.#QNAN0"},
      {from_bits(0xFFFFFFFFFFFFFFFF), "-1.#QNAN0"},
      {from_bits(0x7FFC000000000000), "1.#QNAN0"},
      {from_bits(0x7FF0000000000001), "1.#SNAN0"},
      {from_bits(0x7FF7FFFFFFFFFFFF), "1.#SNAN0"},
      {from_bits(0xFFF4000000000000), "-1.#SNAN0"},
      {std::numeric_limits<double>::quiet_NaN(), "1.#QNAN0"},
  });
#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64) || defined(_M_IX86)
  // x86 makes the negative quiet NaN with zero payload for 0/0.
  volatile double zero = 0;
  EXPECT_EQ(run(zero / zero), "-1.#IND00");
#endif
  // Random payloads keep their class.
  std::mt19937_64 rng(7);
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t payload = rng() & 0x0007FFFFFFFFFFFF;
    const std::uint64_t sign = (rng() & 1) << 63;
    const std::string minus = sign != 0 ? "-" : "";
    EXPECT_EQ(run(from_bits(sign | 0x7FF8000000000000 | payload)),
              minus + (sign != 0 && payload == 0 ? "1.#IND00" : "1.#QNAN0"));
    if (payload != 0) {
      EXPECT_EQ(run(from_bits(sign | 0x7FF0000000000000 | payload)), minus + "1.#SNAN0");
    }
  }
}

// Where format_fixed6 changes method: below 2^-24 all digits are 0, from
// 2^53 on the exact path takes over, and from 12 integer digits on the
// 17-digit string has fewer than six decimals. The short path covers
// [2^-11, 2^26), with up to eight integer digits, the last two written only
// when there are more than six.
TEST_P(Fixed6Format, FastPathBoundaries) {
  check({
      {from_bits(0x3E6FFFFFFFFFFFFF), "0.000000"},  // just below 2^-24
      {from_bits(0x3E70000000000001), "0.000000"},
      {from_bits(0x433FFFFFFFFFFFFF), "9007199254740991.000000"},  // 2^53 - 1
      {from_bits(0x4340000000000001), "9007199254740994.000000"},  // 2^53 + 2
      {1234567890.1234567, "1234567890.123457"},    // 10 integer digits: one digit dropped
      {99999999999.99998, "99999999999.999985"},    // 11: none dropped
      {999999999999.99988, "999999999999.999880"},  // 12 digits: none dropped
      {1e11, "100000000000.000000"},
      {1e12, "1000000000000.000000"},
      {1e15, "1000000000000000.000000"},
      {from_bits(0x3F3FFFFFFFFFFFFF), "0.000488"},  // just below 2^-11
      {std::ldexp(1, -11), "0.000488"},             // 0.00048828125
      {std::ldexp(-1, -11), "-0.000488"},
      {0.5, "0.500000"},
      {1.0, "1.000000"},
      {123456.75, "123456.750000"},
      {999999.5, "999999.500000"},
      {1234567.25, "1234567.250000"},
      {-12345678.5, "-12345678.500000"},
      {from_bits(0x418FFFFFFFFFFFFF), "67108864.000000"},  // 2^26 - 2^-27 carries to 2^26
      {from_bits(0x418FFFFFFFFFFFBC), "67108863.999999"},  // 67108863.99999949...
      {std::ldexp(1, 26), "67108864.000000"},
      {99999999.9999995, "99999999.999999"},  // 99999999.999999493...
  });
}

// The seventh decimal and on just below one half (the band the short path
// leaves to the general path): the first step's rounding to 17 digits
// decides. Up: it reaches the half, whose seventh decimal 5 raises the
// sixth. Down: it stops short. With eight integer digits the 17 digits end
// at the ninth decimal, so values up to half a unit of the ninth decimal below
// the half still round up, and the band has to reach that far.
TEST_P(Fixed6Format, SeventhDecimalBand) {
  check({
      // The exact value, then its 17 digits.
      {from_bits(0x41678C29C000053E), "12345678.000003"},  // .00000249966..., .000002500
      {from_bits(0x41678C29C000010C), "12345678.000000"},  // .00000049918..., .000000499
      {from_bits(0x4132D68700009F62), "1234567.000010"},   // .000009499955..., .0000095000
      {from_bits(0x4132D68700000860), "1234567.000000"},   // .000000499188..., .0000004992
      {from_bits(0x400D59C779A6B50B), "3.668838"},  // .66883749999999997..., .6688375000000000
      {from_bits(0x3FF1C806AF46AA08), "1.111334"},  // .11133449999999989..., .1113344999999999
      {1.0000004999, "1.000000"},
  });
}

// ---------------------------------------------------------------------------
// Seeded sweeps against the reference.

TEST_P(Fixed6Format, RandomBitPatterns) {
  std::mt19937_64 rng(20240611);
  std::vector<double> values;
  while (values.size() < 100000) {
    const std::uint64_t bits = rng();
    if (((bits >> 52) & 0x7FF) != 0x7FF) values.push_back(from_bits(bits));
  }
  // The same over the fast path's exponents, [2^-30, 2^60).
  std::uniform_int_distribution<int> exponent(1023 - 30, 1023 + 59);
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t bits =
        (rng() & 0x800FFFFFFFFFFFFF) | (static_cast<std::uint64_t>(exponent(rng)) << 52);
    values.push_back(from_bits(bits));
  }
  sweep(values);
}

// Coordinates with six decimals: n / 10^6 for random integers n.
TEST_P(Fixed6Format, RandomCoordinates) {
  std::mt19937_64 rng(12345);
  std::uniform_int_distribution<std::int64_t> small(-1'000'000'000'000, 1'000'000'000'000);
  std::uniform_int_distribution<std::int64_t> large(-1'000'000'000'000'000'000,
                                                    1'000'000'000'000'000'000);
  const mpz_class million = 1'000'000;
  std::vector<double> values;
  for (int i = 0; i < 50000; ++i) {
    values.push_back(static_cast<double>(small(rng)) / 1e6);  // n exact, one rounding
    const std::int64_t n = large(rng);
    const double v = nearest_double(mpz_class(std::to_string(n < 0 ? -n : n)), million);
    values.push_back(n < 0 ? -v : v);
  }
  sweep(values);
}

// The doubles nearest to (k + 1/2) / 10^6, and a few ulps either side.
TEST_P(Fixed6Format, SixDecimalEdges) {
  std::mt19937_64 rng(99);
  const mpz_class two_million = 2'000'000;
  std::vector<double> values;
  for (int i = 0; i < 8000; ++i) {
    // k with up to 18 digits, spread over the decades.
    const std::uint64_t k = rng() % (std::uint64_t{1} << (rng() % 60 + 1));
    const mpz_class twice_plus_one = mpz_class(std::to_string(k)) * 2 + 1;
    const std::uint64_t bits = to_bits(nearest_double(twice_plus_one, two_million));
    for (int j = -3; j <= 3; ++j) {
      values.push_back(from_bits(bits + static_cast<std::uint64_t>(j)));
      values.push_back(-from_bits(bits + static_cast<std::uint64_t>(j)));
    }
  }
  sweep(values);
}

// Around 10^n for every decade, 10^n - 5e-7 (the carry into a new digit),
// 1e-7 and 5e-7.
TEST_P(Fixed6Format, NearPowersOfTen) {
  std::vector<std::uint64_t> anchors;
  const mpz_class one = 1;
  for (long n = -307; n <= 308; ++n) {  // the decades of the normal range
    const mpz_class p = pow10(static_cast<unsigned long>(std::labs(n)));
    anchors.push_back(to_bits(n >= 0 ? nearest_double(p, one) : nearest_double(one, p)));
  }
  const mpz_class ten_million = 10'000'000;
  for (unsigned long n = 0; n <= 22; ++n) {
    // (10^(n+7) - 5) / 10^7 = 10^n - 5e-7
    anchors.push_back(to_bits(nearest_double(pow10(n + 7) - 5, ten_million)));
  }
  anchors.push_back(to_bits(1e-7));
  anchors.push_back(to_bits(5e-7));
  std::vector<double> values;
  for (std::uint64_t bits : anchors) {
    for (int j = -40; j <= 40; ++j) {
      const double v = from_bits(bits + static_cast<std::uint64_t>(j));
      if (std::isfinite(v)) {
        values.push_back(v);
        values.push_back(-v);
      }
    }
  }
  sweep(values);
}

// Every six-decimal pattern after a few integer parts of different digit
// counts. The double nearest to I + y / 10^6 (I < 2^26) lies within 2^-27 of
// it and its 17 digits within another 5e-10, far from the 5e-7 that could
// change a decimal, so the text is I's digits, ".", and y with leading zeros,
// written here from the integers.
TEST_P(Fixed6Format, EveryDecimalPattern) {
  constexpr std::int64_t kMillion = 1'000'000;
  int failures = 0;
  for (const std::int64_t integer : {0, 7, 4321, 12345678}) {
    const std::string integer_text = std::to_string(integer) + ".";
    for (std::int64_t decimals = 0; decimals < kMillion; ++decimals) {
      const double value = static_cast<double>(integer * kMillion + decimals) / 1e6;
      std::string expected = std::to_string(kMillion + decimals);  // "1" and six digits
      expected.replace(0, 1, integer_text);
      const std::string got = run(value);
      if (got != expected && ++failures <= 10) {
        ADD_FAILURE() << "got " << got << ", expected " << expected;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, Fixed6Format,
                         ::testing::Values(Formatter{"fast", format_fixed6},
                                           Formatter{"exact", format_fixed6_exact}),
                         [](const ::testing::TestParamInfo<Formatter>& param) {
                           return std::string(param.param.name);
                         });

// ---------------------------------------------------------------------------
// The 64x64->128-bit product beneath the fast paths. The portable version is
// the only one on 32-bit targets, which run no tests, so it is checked here
// against GMP, and the native one, where there is one, against it.

mpz_class mpz_from_u64(std::uint64_t value) {
  return (mpz_class(static_cast<unsigned long>(value >> 32)) << 32) +
         static_cast<unsigned long>(value & 0xFFFFFFFF);
}

TEST(Fixed6Multiply, PortableAndNativeAgainstGmp) {
  std::vector<std::uint64_t> factors = {
      0, 1, 2, 0xFFFFFFFF, 0x100000000, 0xFFFFFFFFFFFFFFFF, std::uint64_t{1} << 63, 100, 1'000'000};
  std::mt19937_64 rng(64);
  for (int i = 0; i < 200; ++i) {
    factors.push_back(rng());
    factors.push_back(rng() >> (rng() % 64));  // all bit lengths
  }
  const mpz_class two_to_64 = mpz_class(1) << 64;
  for (const std::uint64_t a : factors) {
    for (const std::uint64_t b : factors) {
      const mpz_class product = mpz_from_u64(a) * mpz_from_u64(b);
      const U128 portable = multiply_portable(a, b);
      ASSERT_EQ(mpz_from_u64(portable.high), mpz_class(product / two_to_64))
          << std::hex << a << " * " << b;
      ASSERT_EQ(mpz_from_u64(portable.low), mpz_class(product % two_to_64))
          << std::hex << a << " * " << b;
      const U128 native = multiply_u128(a, b);
      ASSERT_EQ(native.high, portable.high) << std::hex << a << " * " << b;
      ASSERT_EQ(native.low, portable.low) << std::hex << a << " * " << b;
    }
  }
}

// ---------------------------------------------------------------------------
// Time per call for typical coordinates, printed only.

double nanoseconds_per_call(std::size_t (*format)(double, char*),
                            const std::vector<double>& values) {
  char buf[kMaxFixed6Length];
  std::size_t sink = 0;
  const auto start = std::chrono::steady_clock::now();
  int rounds = 0;
  std::chrono::duration<double, std::nano> elapsed{};
  do {
    for (double v : values) sink += format(v, buf) + static_cast<unsigned char>(buf[0]);
    ++rounds;
    elapsed = std::chrono::steady_clock::now() - start;
  } while (elapsed.count() < 5e7);  // 50 ms
  EXPECT_NE(sink, 0u);
  return elapsed.count() / (static_cast<double>(rounds) * static_cast<double>(values.size()));
}

TEST(Fixed6FormatTiming, TypicalCoordinates) {
  std::mt19937_64 rng(1);
  std::uniform_int_distribution<std::int64_t> n(-100'000'000'000, 100'000'000'000);
  std::vector<double> values(4096);
  for (double& v : values) v = static_cast<double>(n(rng)) / 1e6;  // |v| < 1e5, six decimals
  std::cout << "[ timing   ] format_fixed6: " << nanoseconds_per_call(format_fixed6, values)
            << " ns/call, format_fixed6_exact: "
            << nanoseconds_per_call(format_fixed6_exact, values) << " ns/call\n";
}

}  // namespace
}  // namespace vertigrow
