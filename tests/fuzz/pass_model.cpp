#include "pass_model.h"

#include <algorithm>
#include <cmath>

#include "exact_reference.h"

namespace vertigrow::reference {
namespace {

// A piece is a line up to and including its LF, but never longer than this.
constexpr std::size_t kLongestPiece = 255;

// What reading the file yields: the bytes before the first Ctrl-Z, leaving
// out each CR that stands right before an LF.
std::string read_as_text(std::string_view file) {
  file = file.substr(0, file.find('\x1a'));
  std::string text;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') continue;
    text += file[i];
  }
  return text;
}

std::string written_as_text(std::string_view text) {
  std::string bytes;
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

// A product that is no number is always written as the NaN of 0 * inf.
std::string scaled(double coordinate, double factor) {
  const double product = coordinate * factor;
  return std::isnan(product) ? "-1.#IND00" : fixed6_text(product);
}

}  // namespace

// Outside an array every piece is copied, and "POINTS{\n" opens one. Inside,
// a point line is replaced by its scaled line, "}\n" closes the array, and
// any other piece ends the pass before it is written.
PassResult model_pass(std::string_view file, double x_factor, double y_factor, double z_factor) {
  const std::string text = read_as_text(file);
  PassResult result;
  bool inside = false;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t lf = text.find('\n', at);
    const std::size_t line_length = lf == std::string::npos ? text.size() - at : lf + 1 - at;
    std::string piece = text.substr(at, std::min(line_length, kLongestPiece));
    at += piece.size();
    if (!inside) {
      inside = piece == "POINTS{\n";
    } else if (const auto point = read_point_line(piece)) {
      piece = scaled(point->x, x_factor) + "," + scaled(point->y, y_factor) + "," +
              scaled(point->z, z_factor) + ";\n";
    } else if (piece == "}\n") {
      inside = false;
    } else {
      result.unreadable = true;
      result.unreadable_piece = piece;
      break;
    }
    result.output += written_as_text(piece);
  }
  return result;
}

}  // namespace vertigrow::reference
