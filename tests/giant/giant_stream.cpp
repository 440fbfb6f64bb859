// Writes a long input for the tool to standard output, or the output the tool
// must make of it with the factors 2, 0.25 and -8:
//
//   giant_stream input BYTES      at least BYTES bytes of input
//   giant_stream expected BYTES   the tool's output file for that input
//
// The input is a reproducible mix of text lines and point arrays: lines of
// any length up to 400 bytes (so longer than a piece), with NUL, lone CRs
// and bytes above 0x7F, ending in LF or CR LF; arrays with point lines in
// many spellings. Every coordinate has at most four decimals and a
// magnitude below 10^7, so the scaled value has at most six decimals and
// the nearest double prints as exactly that value: the expected text is
// worked out in integers, with no floating point at all.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// xorshift64*: the same stream of numbers on every run.
class Random {
 public:
  std::uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  // A number in [0, n).
  std::uint64_t below(std::uint64_t n) { return next() % n; }

 private:
  std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

// Output in large writes; the stream is far too long to be held.
class Sink {
 public:
  explicit Sink(bool active) : active_(active) {}
  ~Sink() { flush(); }
  void add(std::string_view bytes) {
    if (!active_) return;
    if (buffer_.size() + bytes.size() > kFlushAt) flush();
    buffer_ += bytes;
  }
  void flush() {
    if (!buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
      std::exit(3);  // the reader went away
    }
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kFlushAt = 1 << 20;
  bool active_;
  std::string buffer_;
};

// Micro-units (value * 10^6) as the tool writes them: "-" for negatives,
// the integer part, "." and six decimals.
void append_fixed6(std::string& out, std::int64_t micro) {
  if (micro < 0) out += '-';
  const std::uint64_t magnitude = micro < 0 ? static_cast<std::uint64_t>(-micro) : micro;
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, magnitude / 1'000'000).ptr;
  out.append(digits, end);
  const std::uint64_t fraction = magnitude % 1'000'000;
  end = std::to_chars(digits, digits + sizeof digits, fraction).ptr;
  out += '.';
  out.append(6 - static_cast<std::size_t>(end - digits), '0');
  out.append(digits, end);
}

void append_number(std::string& out, std::uint64_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// One coordinate in one of several spellings; returns its value in
// micro-units. Blanks may come before it (never between it and its comma).
std::int64_t append_coordinate(std::string& out, Random& random) {
  static constexpr const char* kBlanks[] = {"", "", "", " ", "\t", "  ", " \t\v\f"};
  out += kBlanks[random.below(7)];
  const bool negative = random.below(3) == 0;
  const std::uint64_t integer = random.below(4) == 0 ? random.below(10) : random.below(10'000'000);
  const unsigned decimals = static_cast<unsigned>(random.below(5));
  static constexpr std::uint64_t kPow10[] = {1, 10, 100, 1000, 10000};
  const std::uint64_t fraction = random.below(kPow10[decimals]);
  const std::uint64_t scaled = integer * kPow10[decimals] + fraction;  // value * 10^decimals
  const std::int64_t micro =
      static_cast<std::int64_t>(scaled * (1'000'000 / kPow10[decimals])) * (negative ? -1 : 1);

  if (negative) {
    out += '-';
  } else if (random.below(8) == 0) {
    out += '+';
  }
  switch (random.below(6)) {
    case 0: {  // all digits and a power of ten: 12345e-3
      append_number(out, scaled);
      out += random.below(2) == 0 ? "e-" : "E-";
      append_number(out, decimals);
      break;
    }
    case 1: {  // leading zeros
      out += "000";
      [[fallthrough]];
    }
    default: {  // integer, point, decimals; trailing zeros now and then
      append_number(out, integer);
      const bool point = decimals > 0 || random.below(4) == 0;
      if (point) out += '.';
      if (decimals > 0) {
        std::string digits;
        append_number(digits, fraction);
        out.append(decimals - digits.size(), '0');
        out += digits;
      }
      if (point && random.below(6) == 0) out += "00";
      if (random.below(10) == 0) out += random.below(2) == 0 ? "e" : "E+";  // a bare exponent
      break;
    }
  }
  return micro;
}

// The bytes text lines are cut from: printable ASCII, NUL, tab, lone CRs
// and bytes above 0x7F; never LF, Ctrl-Z or "{" (so no piece of a text line
// can open an array).
std::string make_pool(Random& random) {
  std::string pool;
  while (pool.size() < (1 << 16)) {
    const auto byte = static_cast<unsigned char>(random.below(256));
    if (byte == '\n' || byte == 0x1A || byte == '{') continue;
    // Mostly printable text, as in real files.
    if (byte >= 0x80 && random.below(4) != 0) continue;
    if (byte < 0x20 && random.below(8) != 0) continue;
    pool += static_cast<char>(byte);
  }
  return pool;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "input") != 0 && std::strcmp(argv[1], "expected") != 0)) {
    std::fprintf(stderr, "usage: giant_stream input|expected BYTES\n");
    return 2;
  }
  const bool input_mode = std::strcmp(argv[1], "input") == 0;
  const std::uint64_t target = std::strtoull(argv[2], nullptr, 10);
  Sink input(input_mode);
  Sink expected(!input_mode);

  Random random;
  const std::string pool = make_pool(random);
  std::uint64_t written = 0;
  std::string in;
  std::string out;
  while (written < target) {
    in.clear();
    out.clear();
    if (random.below(3) != 0) {
      // A text line; one whose last byte is a CR would join its line end.
      const std::size_t length = random.below(401);
      std::size_t start = random.below(pool.size() - length);
      std::string_view line(pool.data() + start, length);
      while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      in += line;
      in += random.below(2) == 0 ? "\n" : "\r\n";
      out += line;
      out += "\r\n";
    } else {
      static constexpr const char* kEnds[] = {"\n", "\r\n"};
      in += "POINTS{";
      in += kEnds[random.below(2)];
      out += "POINTS{\r\n";
      const std::uint64_t points = random.below(40);
      for (std::uint64_t i = 0; i < points; ++i) {
        const std::int64_t x = append_coordinate(in, random);
        in += ',';
        const std::int64_t y = append_coordinate(in, random);
        in += ',';
        const std::int64_t z = append_coordinate(in, random);
        static constexpr const char* kTails[] = {";", ";", "", "; // point", ",", "  ;"};
        in += kTails[random.below(6)];
        in += kEnds[random.below(2)];
        append_fixed6(out, 2 * x);
        out += ',';
        append_fixed6(out, y / 4);
        out += ',';
        append_fixed6(out, -8 * z);
        out += ";\r\n";
      }
      in += "}";
      in += kEnds[random.below(2)];
      out += "}\r\n";
    }
    input.add(in);
    expected.add(out);
    written += in.size();
  }
  return 0;
}
