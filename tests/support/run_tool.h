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

// True when VERTIGROW_EMULATOR is set: the tool is a cross-built binary (the
// Windows .exe under wine). Tests of what only a Linux file system has
// (/dev/full, /proc, symbolic links, permission bits) skip themselves then.
bool running_under_emulator();

}  // namespace vertigrow::testing
