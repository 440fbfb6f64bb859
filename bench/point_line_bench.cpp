// Micro-benchmarks of the work done for each point line: reading the three
// numbers, writing the rescaled line, and the two number conversions beneath
// them, fast path against exact path.
//
// The cases are typical point lines: three numbers with six decimals, of
// mixed magnitudes (up to 100000, down to below 1), as the benchmark inputs
// have them. Each benchmark cycles through the same fixed set of cases so
// that branch predictors cannot learn a single one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "decimal_to_double.h"
#include "fixed6_format.h"
#include "number_scan.h"
#include "point_line.h"

namespace {

constexpr std::size_t kCaseCount = 1024;  // a power of two, so the index wraps with a mask

// A number with six decimals, "-12345.678901" style, from a fixed sequence:
// half within +-100000, a quarter within +-1000, the rest within +-10.
std::string typical_number(std::uint64_t& state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;  // Knuth's MMIX LCG
  const std::uint64_t bits = state >> 16;
  const std::uint64_t limit = (bits & 3) < 2 ? 100000 : (bits & 3) == 2 ? 1000 : 10;
  const std::uint64_t micros = (bits >> 3) % (limit * 1'000'000 + 1);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%06llu", (bits & 4) ? "-" : "",
                static_cast<unsigned long long>(micros / 1'000'000),
                static_cast<unsigned long long>(micros % 1'000'000));
  return text;
}

struct Cases {
  std::vector<std::string> numbers;  // kCaseCount * 3 number texts
  std::vector<std::string> lines;    // "x,y,z\n", as the pass hands them over
  std::vector<vertigrow::DecimalText> texts;
  std::vector<vertigrow::Point> points;  // the lines read and doubled, as the pass writes them
  std::vector<double> values;            // the coordinates of points
};

const Cases& cases() {
  static const Cases all = [] {
    Cases c;
    std::uint64_t state = 1;
    for (std::size_t i = 0; i < kCaseCount * 3; ++i) c.numbers.push_back(typical_number(state));
    for (std::size_t i = 0; i < kCaseCount; ++i) {
      c.lines.push_back(c.numbers[3 * i] + "," + c.numbers[3 * i + 1] + "," + c.numbers[3 * i + 2] +
                        "\n");
    }
    for (const std::string& number : c.numbers) {
      vertigrow::DecimalText text;
      vertigrow::scan_significand(number.data(), number.data() + number.size(), text);
      c.texts.push_back(text);
    }
    for (const std::string& line : c.lines) {
      vertigrow::Point p;
      vertigrow::read_point(line, p);
      c.points.push_back({p.x * 2, p.y * 2, p.z * 2});
      c.values.insert(c.values.end(), {p.x * 2, p.y * 2, p.z * 2});
    }
    return c;
  }();
  return all;
}

void BM_ReadPoint(benchmark::State& state) {
  const auto& lines = cases().lines;
  std::size_t i = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const std::string& line = lines[i++ & (kCaseCount - 1)];
    vertigrow::Point point;
    benchmark::DoNotOptimize(vertigrow::read_point(line, point));
    benchmark::DoNotOptimize(point);
    bytes += static_cast<std::int64_t>(line.size());
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadPoint);

void BM_WritePointLine(benchmark::State& state) {
  const auto& points = cases().points;
  char line[vertigrow::kMaxPointLineLength];
  std::size_t i = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const std::size_t length = vertigrow::write_point_line(points[i++ & (kCaseCount - 1)], line);
    benchmark::DoNotOptimize(line);
    bytes += static_cast<std::int64_t>(length);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_WritePointLine);

template <double (*Convert)(const vertigrow::DecimalText&)>
void BM_DecimalToDouble(benchmark::State& state) {
  const auto& texts = cases().texts;
  const std::size_t mask = texts.size() / 3 * 2 - 1;  // 2048 of the 3072 cases
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(Convert(texts[i++ & mask]));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_TEMPLATE(BM_DecimalToDouble, vertigrow::decimal_to_double)->Name("BM_DecimalToDouble");
BENCHMARK_TEMPLATE(BM_DecimalToDouble, vertigrow::decimal_to_double_exact)
    ->Name("BM_DecimalToDoubleExact");

template <std::size_t (*Format)(double, char*)>
void BM_FormatFixed6(benchmark::State& state) {
  const auto& values = cases().values;
  const std::size_t mask = values.size() / 3 * 2 - 1;
  char text[vertigrow::kMaxFixed6Length];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Format(values[i++ & mask], text));
    benchmark::DoNotOptimize(text);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_TEMPLATE(BM_FormatFixed6, vertigrow::format_fixed6)->Name("BM_FormatFixed6");
BENCHMARK_TEMPLATE(BM_FormatFixed6, vertigrow::format_fixed6_exact)->Name("BM_FormatFixed6Exact");

}  // namespace

BENCHMARK_MAIN();
