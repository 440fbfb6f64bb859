// Writes the benchmark inputs: deterministic text files of a given size.
//
//   vertigrow_bench_input FOLDER [MEGABYTES [KIND...]]
//
// writes FOLDER/KIND-MEGABYTESmb.txt for each KIND (default: all three, 50 MB):
//   dense  one point array of random points, six decimals each
//   mixed  point arrays of 10 to 500 points between ordinary lines
//   text   ordinary lines only, no point array
// A megabyte is 1,000,000 bytes; a file ends at the first complete line (or,
// for a point array, the closing line) at or past its size. Every line ends
// with CR LF. The same arguments give the same bytes on every platform: the
// random numbers come from our own generator, not from <random>'s
// distributions, whose results differ between standard libraries.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kSeed = 20240611;
constexpr std::uint64_t kBytesPerMegabyte = 1'000'000;

// SplitMix64: a tiny generator whose output depends on nothing but the seed.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // A number in [low, high]; the slight bias of the modulo does not matter here.
  std::uint64_t between(std::uint64_t low, std::uint64_t high) {
    return low + next() % (high - low + 1);
  }

 private:
  std::uint64_t state_;
};

// Collects the output and writes it in large blocks.
class Output {
 public:
  explicit Output(std::FILE* file) : file_(file) {}

  void line(std::string_view text) {
    buffer_ += text;
    buffer_ += "\r\n";
    written_ += text.size() + 2;
    if (buffer_.size() >= (1u << 20)) flush();
  }

  bool flush() {
    ok_ = ok_ && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
    return ok_;
  }

  std::uint64_t written() const { return written_; }

 private:
  std::FILE* file_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  bool ok_ = true;
};

// One coordinate with six decimals. Most are large, some are small, so that
// the integer part has anywhere from one to six digits:
//   50% within +-100000, 25% within +-1000, 15% within +-10, 10% within +-1.
void append_coordinate(Random& random, std::string& text) {
  const std::uint64_t kind = random.between(0, 99);
  const std::uint64_t limit = kind < 50 ? 100000 : kind < 75 ? 1000 : kind < 90 ? 10 : 1;
  const std::uint64_t micros = random.between(0, limit * 1'000'000);
  if (random.next() & 1) text += '-';
  char digits[32];
  std::snprintf(digits, sizeof digits, "%llu.%06llu",
                static_cast<unsigned long long>(micros / 1'000'000),
                static_cast<unsigned long long>(micros % 1'000'000));
  text += digits;
}

void write_point_line(Random& random, Output& out) {
  std::string text;
  append_coordinate(random, text);
  text += ',';
  append_coordinate(random, text);
  text += ',';
  append_coordinate(random, text);
  out.line(text);
}

// Words for ordinary lines: prose, and keywords of the kind that surround
// point arrays. None of the lines made from them is "POINTS{" alone.
constexpr std::string_view kWords[] = {
    "the",    "part",   "of",     "a",       "mesh",     "surface", "with",    "edges",
    "layer",  "color",  "name",   "origin",  "scale",    "rotate",  "normal",  "face",
    "index",  "count",  "MESH{",  "LAYER=2", "COLOR=7",  "NAME",    "OBJECT",  "GROUP{",
    "units",  "metres", "points", "12",      "0.5",      "-3",      "version", "comment",
    "and",    "then",   "to",     "from",    "material", "steel",   "bracket", "hole",
    "radius", "depth",  "=",      ";",       "//",       "end",     "begin",   "segment",
};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

// An ordinary line of 0 to max_length characters (a little over when the last
// word runs past): words separated by spaces, sometimes indented.
void write_ordinary_line(Random& random, Output& out, std::size_t max_length) {
  const std::size_t length = random.between(0, max_length);
  std::string text;
  if (random.between(0, 3) == 0) text.assign(random.between(1, 8), ' ');
  while (text.size() < length) {
    if (!text.empty() && text.back() != ' ') text += ' ';
    text += kWords[random.between(0, kWordCount - 1)];
  }
  out.line(text);
}

void write_dense(Random& random, Output& out, std::uint64_t size) {
  out.line("POINTS{");
  while (out.written() + 3 < size) write_point_line(random, out);
  out.line("}");
}

void write_mixed(Random& random, Output& out, std::uint64_t size) {
  while (out.written() < size) {
    const std::uint64_t ordinary = random.between(1, 50);
    for (std::uint64_t i = 0; i < ordinary; ++i) write_ordinary_line(random, out, 120);
    out.line("POINTS{");
    const std::uint64_t points = random.between(10, 500);
    for (std::uint64_t i = 0; i < points; ++i) write_point_line(random, out);
    out.line("}");
  }
}

void write_text(Random& random, Output& out, std::uint64_t size) {
  while (out.written() < size) write_ordinary_line(random, out, 200);
}

int usage() {
  std::fputs("Usage: vertigrow_bench_input FOLDER [MEGABYTES [dense|mixed|text...]]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string folder = argv[1];
  const std::uint64_t megabytes = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 50;
  if (megabytes == 0) return usage();

  static const char* const kAllKinds[] = {"dense", "mixed", "text"};
  const char* const* kinds = argc > 3 ? argv + 3 : kAllKinds;
  const int kind_count = argc > 3 ? argc - 3 : 3;

  for (int k = 0; k < kind_count; ++k) {
    const std::string_view kind = kinds[k];
    const std::string name =
        folder + "/" + std::string(kind) + "-" + std::to_string(megabytes) + "mb.txt";
    // Each kind and size has its own seed, so a file does not depend on which
    // other files were written in the same run.
    Random random(kSeed ^ (megabytes << 8) ^ static_cast<std::uint64_t>(kind[0]));
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) {
      std::fprintf(stderr, "cannot create %s\n", name.c_str());
      return 1;
    }
    Output out(file);
    const std::uint64_t size = megabytes * kBytesPerMegabyte;
    if (kind == "dense") {
      write_dense(random, out, size);
    } else if (kind == "mixed") {
      write_mixed(random, out, size);
    } else if (kind == "text") {
      write_text(random, out, size);
    } else {
      std::fclose(file);
      std::remove(name.c_str());
      return usage();
    }
    const bool written = out.flush();
    if (std::fclose(file) != 0 || !written) {
      std::fprintf(stderr, "cannot write %s\n", name.c_str());
      return 1;
    }
  }
  return 0;
}
