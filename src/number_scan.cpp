#include "number_scan.h"

#include <string>

namespace vertigrow {

detail::DigitRun detail::scan_long_digit_run(const char* p, std::uint64_t w) {
  std::uint64_t x = load_digit_values(p);
  std::uint64_t marks = non_digit_marks(x);
  while (marks == 0) {
    w = w * kRunScale[8] + eight_digits_value(x);
    p += 8;
    x = load_digit_values(p);
    marks = non_digit_marks(x);
  }
  const auto mark = static_cast<unsigned>(std::countr_zero(marks));
  const unsigned n = mark / 8;
  return {p + n, w * kRunScale[n] + leading_digits_value(x, mark)};
}

std::string padded_copy(std::string_view text) {
  std::string copy(text);
  copy.append(kScanPadding, '\0');
  return copy;
}

const char* scan_significand(const char* p, const char* end, DecimalText& text) {
  const std::string padded = padded_copy({p, static_cast<std::size_t>(end - p)});
  const char* const after = scan_significand(padded.data(), text);
  if (after == nullptr) return nullptr;
  // The same places in the caller's text.
  auto in_text = [&](std::string_view digits) {
    if (digits.empty()) return std::string_view();
    return std::string_view(p + (digits.data() - padded.data()), digits.size());
  };
  text.integer = in_text(text.integer);
  text.fraction = in_text(text.fraction);
  return p + (after - padded.data());
}

}  // namespace vertigrow
