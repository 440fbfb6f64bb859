// A small model of the whole pass over a file, written apart from the tool:
// the text translation, the cutting into pieces and the point-array states,
// with the numbers read and written by the exact reference.
#pragma once

#include <string>
#include <string_view>

namespace vertigrow::reference {

struct PassResult {
  std::string output;  // the bytes of the output file, CR LF line ends included
  bool unreadable = false;
  std::string unreadable_piece;  // the piece that stopped the pass, when one did
};

// Runs the model over the bytes of an input file with the three factors.
PassResult model_pass(std::string_view file, double x_factor, double y_factor, double z_factor);

}  // namespace vertigrow::reference
