// read_point on arbitrary bytes: it must not fault, it must agree with the
// reference on whether the bytes are a point line, and the three values must
// be the exact reference's, bit for bit.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exact_reference.h"
#include "fuzz_report.h"
#include "point_line.h"

using vertigrow::fuzzing::describe;
using vertigrow::fuzzing::report;
using vertigrow::fuzzing::same_bits;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view piece(reinterpret_cast<const char*>(data), size);
  // A NaN that no reading produces shows whether a refused piece left the
  // point alone.
  const double untouched = std::bit_cast<double>(std::uint64_t{0x7FF4DEADBEEF0001});
  vertigrow::Point point{untouched, untouched, untouched};
  const bool read = vertigrow::read_point(piece, point);
  const auto expected = vertigrow::reference::read_point_line(piece);

  if (read != expected.has_value()) {
    report("read_point and the reference disagree on the piece", piece,
           read ? "a point line" : "no point line", expected ? "a point line" : "no point line");
  }
  if (!read) {
    if (!same_bits(point.x, untouched) || !same_bits(point.y, untouched) ||
        !same_bits(point.z, untouched)) {
      report("a refused piece changed the point", piece, describe(point.x), describe(untouched));
    }
    return 0;
  }
  const double got[] = {point.x, point.y, point.z};
  const double want[] = {expected->x, expected->y, expected->z};
  for (int i = 0; i < 3; ++i) {
    if (!same_bits(got[i], want[i])) {
      report(i == 0   ? "x differs"
             : i == 1 ? "y differs"
                      : "z differs",
             piece, describe(got[i]), describe(want[i]));
    }
  }
  return 0;
}
