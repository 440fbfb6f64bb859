#include "exact_reference.h"

#include <gmpxx.h>

#include <bit>
#include <cmath>
#include <limits>

namespace vertigrow::reference {
namespace {

// Exponent digits stop adding up here: 10^15 is far past the point where a
// text of any length we are given can still be a finite nonzero double.
constexpr std::int64_t kExponentSaturation = 1'000'000'000'000'000;

// binary64: the smallest subnormal is 2^-1074; the largest finite value lies
// below 2^1024. Every double needs at most 53 significant bits.
constexpr long kMinUlpExponent = -1074;
constexpr long kSignificandBits = 53;

// Decimal bounds for the quick classification, from 10^-324 < 2^-1075 (half
// the smallest subnormal, which still rounds to zero) and 10^309 > 2^1024.
constexpr std::int64_t kZeroBelowPow10 = -324;
constexpr std::int64_t kInfinityFromPow10 = 309;

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

mpz_class power_of_ten(unsigned long k) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, k);
  return p;
}

// num / den >= 2^k, for positive num and den.
bool at_least_power_of_two(const mpz_class& num, const mpz_class& den, long k) {
  if (k >= 0) return num >= (den << static_cast<mp_bitcnt_t>(k));
  return (num << static_cast<mp_bitcnt_t>(-k)) >= den;
}

// num / den >= 10^k, for positive num and den.
bool at_least_power_of_ten(const mpz_class& num, const mpz_class& den, long k) {
  if (k >= 0) return num >= den * power_of_ten(static_cast<unsigned long>(k));
  return num * power_of_ten(static_cast<unsigned long>(-k)) >= den;
}

// The text of a number from position i on: white space, a sign, then digits
// with at most one point. On success i is left after the last digit or point.
bool scan_significand(std::string_view text, std::size_t& i, Decimal& number) {
  std::size_t at = i;
  while (at < text.size() && is_space(text[at])) ++at;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    number.negative = text[at] == '-';
    ++at;
  }
  std::int64_t fraction_digits = 0;
  bool seen_point = false;
  for (; at < text.size(); ++at) {
    if (is_digit(text[at])) {
      number.digits += text[at];
      if (seen_point) ++fraction_digits;
    } else if (text[at] == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (number.digits.empty()) return false;
  number.exponent = -fraction_digits;
  i = at;
  return true;
}

// Digits of an exponent at position i, added to the number's exponent.
void scan_exponent(std::string_view text, std::size_t& i, bool negative, Decimal& number) {
  std::int64_t value = 0;
  for (; i < text.size() && is_digit(text[i]); ++i) {
    if (value < kExponentSaturation) value = value * 10 + (text[i] - '0');
  }
  number.exponent += negative ? -value : value;
}

// One number of a point line: the letter e or E, its sign and its digits are
// each taken when present, even with no digit at all after the letter.
std::optional<double> point_number(std::string_view text, std::size_t& i) {
  Decimal number;
  if (!scan_significand(text, i, number)) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    scan_exponent(text, i, negative, number);
  }
  return nearest_double(number);
}

std::string marker_text(bool negative, std::uint64_t fraction) {
  constexpr std::uint64_t kQuiet = std::uint64_t{1} << 51;
  std::string marker;
  if (fraction == 0) {
    marker = "1.#INF00";
  } else if ((fraction & kQuiet) == 0) {
    marker = "1.#SNAN0";
  } else if (negative && fraction == kQuiet) {
    marker = "1.#IND00";
  } else {
    marker = "1.#QNAN0";
  }
  return (negative ? std::string("-") : std::string()) + marker;
}

}  // namespace

// The conversion, in exact arithmetic on value = num / den:
//  1. No significant digit: a zero with the sign.
//  2. Far outside the range of a double: an infinity or a zero, decided from
//     the digit count and the exponent alone (no 10^huge is ever built).
//  3. b = floor(log2(value)); the last kept bit has weight 2^u with
//     u = max(b - 52, -1074), which gives subnormals their fixed ulp.
//  4. m = value / 2^u rounded to nearest, an exact half rounded down.
//  5. m * 2^u, where m = 2^53 at b = 1023 is the overflow to infinity.
double nearest_double(const Decimal& number) {
  const double sign = number.negative ? -1.0 : 1.0;
  const std::size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return sign * 0.0;
  const std::string significant = number.digits.substr(first);
  const auto count = static_cast<std::int64_t>(significant.size());
  if (count - 1 + number.exponent >= kInfinityFromPow10) {
    return sign * std::numeric_limits<double>::infinity();
  }
  if (count + number.exponent <= kZeroBelowPow10) return sign * 0.0;

  mpq_class value(mpz_class(significant, 10));
  if (number.exponent >= 0) {
    value *= power_of_ten(static_cast<unsigned long>(number.exponent));
  } else {
    value /= power_of_ten(static_cast<unsigned long>(-number.exponent));
  }
  const mpz_class& num = value.get_num();
  const mpz_class& den = value.get_den();

  long b = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 2)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 2));
  if (!at_least_power_of_two(num, den, b)) --b;
  const long u = std::max(b - (kSignificandBits - 1), kMinUlpExponent);

  mpz_class dividend = num;
  mpz_class divisor = den;
  if (u >= 0) {
    divisor <<= static_cast<mp_bitcnt_t>(u);
  } else {
    dividend <<= static_cast<mp_bitcnt_t>(-u);
  }
  mpz_class m = dividend / divisor;
  const mpz_class twice_rest = 2 * (dividend - m * divisor);
  if (twice_rest > divisor) ++m;
  return sign * std::ldexp(static_cast<double>(m.get_ui()), static_cast<int>(u));
}

std::optional<Point3> read_point_line(std::string_view piece) {
  std::size_t i = 0;
  Point3 point;
  const auto x = point_number(piece, i);
  if (!x || i >= piece.size() || piece[i] != ',') return std::nullopt;
  ++i;
  const auto y = point_number(piece, i);
  if (!y || i >= piece.size() || piece[i] != ',') return std::nullopt;
  ++i;
  const auto z = point_number(piece, i);
  if (!z) return std::nullopt;
  point.x = *x;
  point.y = *y;
  point.z = *z;
  return point;
}

double read_scale_argument(std::string_view argument) {
  std::size_t i = 0;
  Decimal number;
  if (!scan_significand(argument, i, number)) return 0.0;
  if (i < argument.size() && std::string_view("eEdD").find(argument[i]) != std::string_view::npos) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < argument.size() && (argument[j] == '-' || argument[j] == '+')) {
      negative = argument[j++] == '-';
    }
    if (j < argument.size() && is_digit(argument[j])) scan_exponent(argument, j, negative, number);
  }
  return nearest_double(number);
}

// The text, in exact arithmetic on |value| = num / den:
//  1. Markers for infinities and NaNs, "0.000000" for both zeros.
//  2. d = floor(log10(|value|)), so that 17 significant digits end at the
//     place 10^(d - 16).
//  3. D = |value| / 10^(d - 16) rounded half-up: the 17 digits (a carry may
//     make them 10^17).
//  4. D * 10^(d - 16) rounded half-up to a whole number of millionths.
//  5. Those millionths as digits, "." before the last six, "-" for negatives.
std::string fixed6_text(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto biased = static_cast<long>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0x7FF) return marker_text(negative, fraction);
  if (biased == 0 && fraction == 0) return "0.000000";

  const std::uint64_t significand = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const long exponent = (biased == 0 ? 1 : biased) - 1075;
  mpz_class num(static_cast<unsigned long>(significand));
  mpz_class den(1);
  if (exponent >= 0) {
    num <<= static_cast<mp_bitcnt_t>(exponent);
  } else {
    den <<= static_cast<mp_bitcnt_t>(-exponent);
  }

  long d = static_cast<long>(mpz_sizeinbase(num.get_mpz_t(), 10)) -
           static_cast<long>(mpz_sizeinbase(den.get_mpz_t(), 10));
  while (!at_least_power_of_ten(num, den, d)) --d;
  while (at_least_power_of_ten(num, den, d + 1)) ++d;

  const long place = d - 16;
  mpz_class dividend = num;
  mpz_class divisor = den;
  if (place >= 0) {
    divisor *= power_of_ten(static_cast<unsigned long>(place));
  } else {
    dividend *= power_of_ten(static_cast<unsigned long>(-place));
  }
  mpz_class digits17 = dividend / divisor;
  if (2 * (dividend - digits17 * divisor) >= divisor) ++digits17;

  mpz_class millionths;
  if (place >= -6) {
    millionths = digits17 * power_of_ten(static_cast<unsigned long>(place + 6));
  } else {
    const mpz_class step = power_of_ten(static_cast<unsigned long>(-6 - place));
    millionths = digits17 / step;
    if (2 * (digits17 - millionths * step) >= step) ++millionths;
  }

  std::string text = millionths.get_str();
  if (text.size() < 7) text.insert(0, 7 - text.size(), '0');
  text.insert(text.end() - 6, '.');
  return (negative ? std::string("-") : std::string()) + text;
}

bool has_fixed6_form(std::string_view text) {
  if (!text.empty() && text[0] == '-') text.remove_prefix(1);
  for (std::string_view marker : {"1.#INF00", "1.#IND00", "1.#QNAN0", "1.#SNAN0"}) {
    if (text == marker) return true;
  }
  const std::size_t point = text.find('.');
  if (point == std::string_view::npos || point == 0 || text.size() != point + 7) return false;
  if (text[0] == '0' && point != 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != point && !is_digit(text[i])) return false;
  }
  return true;
}

}  // namespace vertigrow::reference
