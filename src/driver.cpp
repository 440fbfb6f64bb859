#include "driver.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "console.h"
#include "scale_factor.h"
#include "scaling_pass.h"

namespace vertigrow {
namespace {

constexpr std::string_view kBanner = "Vertigrow Version 2.0 by Quillfen\n";
constexpr std::string_view kUsage = "Usage: vertigrow xScale yScale zScale Infile [Outfile]\n";

[[noreturn]] void refuse(std::string_view prefix, std::string_view name) {
  console_message(prefix, name, "\n");
  exit_process(1);
}

// True when both names exist and denote one file (same device and inode, or
// the same file identity on Windows), whatever path leads to them.
bool same_existing_file(const char* a, const char* b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

bool is_directory(const char* name) {
  std::error_code error;
  return std::filesystem::is_directory(name, error);
}

}  // namespace

// The steps, in order; each refusal prints its message and ends with status 1.
//  1. The banner.
//  2. Exactly four or five arguments.
//  3. The output name: Outfile, or Infile with "s" appended.
//  4. The output name must differ from Infile, as text and as a file.
//  5. The three scale factors.
//  6. Open Infile for reading.
//  7. Create or empty the output file.
//  8. Run the pass and turn its outcome into the exit status.
void run_driver(int argc, char** argv) {
  console_open();
  console_message(kBanner);

  if (argc != 5 && argc != 6) {
    console_message(kUsage);
    exit_process(1);
  }

  const char* const input_name = argv[4];
  std::string output_name = argc == 6 ? std::string(argv[5]) : std::string(input_name) + "s";

  if (output_name == input_name || same_existing_file(input_name, output_name.c_str())) {
    refuse("Input file and Output file cannot be the same! ", output_name);
  }

  ScaleFactors factors;
  factors.x = parse_scale_factor(argv[1]);
  factors.y = parse_scale_factor(argv[2]);
  factors.z = parse_scale_factor(argv[3]);

  std::FILE* input = is_directory(input_name) ? nullptr : std::fopen(input_name, "rb");
  if (input == nullptr) refuse("Can't open input file ", input_name);

  std::FILE* output = std::fopen(output_name.c_str(), "w+b");
  if (output == nullptr) refuse("Can't open output file ", output_name);

  switch (run_scaling_pass(input, output, factors)) {
    case PassOutcome::kEndOfInput:
      exit_process(0);
    case PassOutcome::kUnreadablePiece:
      exit_process(1);
    case PassOutcome::kReadError:
      refuse("Can't read input file ", input_name);
    case PassOutcome::kWriteError:
      refuse("Can't write output file ", output_name);
  }
  exit_process(1);
}

}  // namespace vertigrow
