// Runs the built tool as a user would, in a fresh temporary folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vertigrow::testing {

struct RunResult {
  int status = -1;  // exit status, or -1 when the tool did not exit normally
  std::string out;  // every byte written to standard output
  std::string err;  // every byte written to standard error
};

// A temporary folder, removed again with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

  // Runs the tool with the folder as working directory. VERTIGROW_BINARY
  // names the tool; VERTIGROW_EMULATOR, when set, is put in front of it (for
  // a cross-built binary). stdin_file, when not empty, is fed as its input.
  RunResult run(const std::vector<std::string>& args, const std::string& stdin_file = "") const;

 private:
  std::filesystem::path path_;
};

// The bytes the tool writes for a text: every LF as CR LF.
std::string crlf(const std::string& text);

// What every run prints first.
inline const std::string kBanner = "Vertigrow Version 2.0 by Quillfen\n";

// A small input with one point array, and its output for the factors 2 2 2.
inline const std::string kSample = "a\nPOINTS{\n1,2,3\n}\nb\n";
inline const std::string kSampleTimesTwo =
    "a\r\nPOINTS{\r\n2.000000,4.000000,6.000000;\r\n}\r\nb\r\n";

// Checks what a run printed after the banner (given before the CR LF
// translation), its exit status, and that standard error stayed empty.
void expect_run(const RunResult& run, int status, const std::string& message,
                const std::string& what = "");

// True when VERTIGROW_EMULATOR is set: the tool is a cross-built binary (the
// Windows .exe under wine). Tests of what only a Linux file system has
// (/dev/full, /proc, symbolic links, permission bits) skip themselves then.
bool running_under_emulator();

}  // namespace vertigrow::testing
