// The whole pass over arbitrary bytes with arbitrary factors: the first 24
// bytes are the three factors as doubles, the rest is the input file. The
// output file and the outcome must be exactly those of the model: the text
// translation outside point arrays, each point line rewritten in its exact
// form, and a stop, with nothing written after it, at the first piece of an
// array that is no point line.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "console.h"
#include "fuzz_report.h"
#include "pass_model.h"
#include "scaling_pass.h"

using vertigrow::fuzzing::report;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The pass prints its "Unable to read point array" message to standard
  // output; keep the fuzzer's log (on standard error) readable.
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDOUT_FILENO);
  vertigrow::console_open();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kFactorBytes = 3 * sizeof(double);
  if (size < kFactorBytes) return 0;
  vertigrow::ScaleFactors factors;
  std::memcpy(&factors.x, data, sizeof(double));
  std::memcpy(&factors.y, data + sizeof(double), sizeof(double));
  std::memcpy(&factors.z, data + 2 * sizeof(double), sizeof(double));
  std::string file(reinterpret_cast<const char*>(data) + kFactorBytes, size - kFactorBytes);

  // Both files live in memory; the pass closes its own handles, the
  // descriptors kept here read the output back.
  const int input_fd = memfd_create("input", 0);
  const int output_fd = memfd_create("output", 0);
  if (input_fd < 0 || output_fd < 0) std::abort();
  if (!file.empty() &&
      write(input_fd, file.data(), file.size()) != static_cast<ssize_t>(file.size())) {
    std::abort();
  }
  lseek(input_fd, 0, SEEK_SET);
  std::FILE* input = fdopen(dup(input_fd), "rb");
  std::FILE* output = fdopen(dup(output_fd), "w+b");
  if (input == nullptr || output == nullptr) std::abort();

  const vertigrow::PassOutcome outcome = vertigrow::run_scaling_pass(input, output, factors);
  std::string got(static_cast<std::size_t>(lseek(output_fd, 0, SEEK_END)), '\0');
  if (pread(output_fd, got.data(), got.size(), 0) != static_cast<ssize_t>(got.size())) std::abort();
  close(input_fd);
  close(output_fd);

  const vertigrow::reference::PassResult expected =
      vertigrow::reference::model_pass(file, factors.x, factors.y, factors.z);
  const std::string input_shown = std::string(reinterpret_cast<const char*>(data), size);
  const vertigrow::PassOutcome expected_outcome = expected.unreadable
                                                      ? vertigrow::PassOutcome::kUnreadablePiece
                                                      : vertigrow::PassOutcome::kEndOfInput;
  if (outcome != expected_outcome) {
    report("the pass ended differently", input_shown,
           "outcome " + std::to_string(static_cast<int>(outcome)),
           "outcome " + std::to_string(static_cast<int>(expected_outcome)) + " at piece " +
               vertigrow::fuzzing::escaped(expected.unreadable_piece));
  }
  if (got != expected.output) {
    std::size_t first = 0;
    while (first < got.size() && first < expected.output.size() &&
           got[first] == expected.output[first])
      ++first;
    report("the output differs from byte " + std::to_string(first) + " on", input_shown, got,
           expected.output);
  }
  return 0;
}
