#include "scaling_pass.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "console.h"
#include "point_line.h"
#include "text_stream.h"

namespace vertigrow {
namespace {

constexpr std::string_view kBlockStart = "POINTS{\n";
constexpr std::string_view kBlockEnd = "}\n";

// The line buffer holds a piece as read and, for a point line, the line
// written in its place, which may be longer than any piece.
constexpr std::size_t kLineBufferSize = kMaxPointLineLength + 1;
static_assert(kLineBufferSize > kMaxPieceLength);
static_assert(kBlockStart.size() <= TextReader::kHistory);

// The NaN of an invalid operation as x86 makes it: sign set, quiet, no
// payload. Zero times infinity, the only NaN a product here can be, is given
// this bit pattern on every CPU so that the output is the same everywhere.
double invalid_operation_nan() {
  constexpr unsigned long long kBits = 0xFFF8000000000000ULL;
  double value;
  std::memcpy(&value, &kBits, sizeof value);
  return value;
}

double scale(double coordinate, double factor) {
  const double product = coordinate * factor;
  return std::isnan(product) ? invalid_operation_nan() : product;
}

// Closes the input, then the output. Returns false when the output's last
// block could not be written or the file not closed.
bool close_both(std::FILE* input, std::FILE* output, TextWriter& writer) {
  std::fclose(input);
  const bool flushed = writer.flush();
  return std::fclose(output) == 0 && flushed;
}

}  // namespace

// The pass, piece by piece:
//  1. Outside a point array, copy everything up to and including the next
//     piece "POINTS{\n", which opens an array; none left ends the pass.
//  2. Inside, read the next piece; none left ends the pass.
//  3. A point line is rescaled and written in its place; "}\n" closes the
//     array and is copied; anything else stops the pass, unwritten.
// A piece written inside an array never reads "POINTS{\n": a rewritten line
// ends in ";\n", and the piece itself would have stopped the pass.
PassOutcome run_scaling_pass(std::FILE* input, std::FILE* output, const ScaleFactors& factors) {
  TextReader reader(input);
  TextWriter writer(output);
  char line[kLineBufferSize];
  bool in_array = false;

  for (;;) {
    if (!in_array) {
      in_array = reader.copy_through_piece(kBlockStart, writer);
      if (writer.failed()) break;
      if (!in_array) break;
      continue;
    }
    const std::size_t read = reader.read_piece(line);
    if (read == 0) break;
    std::string_view piece(line, read);
    Point point;
    if (read_point(piece, point)) {
      point.x = scale(point.x, factors.x);
      point.y = scale(point.y, factors.y);
      point.z = scale(point.z, factors.z);
      piece = {line, write_point_line(point, line)};
    } else if (piece == kBlockEnd) {
      in_array = false;
    } else {
      close_both(input, output, writer);
      console_message("Unable to read point array: (", piece, ")\n");
      return PassOutcome::kUnreadablePiece;
    }
    // Both a rewritten line and "}\n" hold a single LF, at their end.
    writer.write_line(piece.data(), piece.size() - 1);
    if (writer.failed()) break;
  }

  const bool read_failed = reader.failed();
  if (!close_both(input, output, writer)) return PassOutcome::kWriteError;
  return read_failed ? PassOutcome::kReadError : PassOutcome::kEndOfInput;
}

}  // namespace vertigrow
