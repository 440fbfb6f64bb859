// The scaling pass: one sequential pass that copies the input to the output,
// rescaling the point lines of every point array on the way.
#pragma once

#include <cstdio>

namespace vertigrow {

struct ScaleFactors {
  double x = 1;
  double y = 1;
  double z = 1;
};

enum class PassOutcome {
  kEndOfInput,       // the whole input was copied
  kUnreadablePiece,  // stopped at a piece of a point array that is no point line; reported
  kReadError,        // the input could not be read to its end; not reported
  kWriteError,       // the output could not be written or closed; not reported
};

// Runs the pass. Takes both files over and closes them before it returns,
// the input first, then the output; the caller must not use them afterwards.
PassOutcome run_scaling_pass(std::FILE* input, std::FILE* output, const ScaleFactors& factors);

}  // namespace vertigrow
