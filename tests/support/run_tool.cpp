#include "run_tool.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace vertigrow::testing {
namespace {

std::string shell_quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vertigrow-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::read(const std::string& name) const {
  return read_file(path_ / name);
}

bool TempFolder::exists(const std::string& name) const {
  return std::filesystem::exists(std::filesystem::symlink_status(path_ / name));
}

RunResult TempFolder::run(const std::vector<std::string>& args,
                          const std::string& stdin_file) const {
  const char* binary = std::getenv("VERTIGROW_BINARY");
  if (binary == nullptr) throw std::runtime_error("VERTIGROW_BINARY is not set");
  std::ostringstream command;
  command << "cd " << shell_quote(path_.string()) << " && ";
  if (const char* emulator = std::getenv("VERTIGROW_EMULATOR"); emulator && *emulator) {
    command << emulator << ' ';
  }
  command << shell_quote(binary);
  for (const std::string& arg : args) command << ' ' << shell_quote(arg);
  const std::filesystem::path out = path_.parent_path() / (path_.filename().string() + ".out");
  const std::filesystem::path err = path_.parent_path() / (path_.filename().string() + ".err");
  command << " >" << shell_quote(out.string()) << " 2>" << shell_quote(err.string());
  command << " <" << (stdin_file.empty() ? std::string("/dev/null") : shell_quote(stdin_file));

  const int raw = std::system(command.str().c_str());
  RunResult result;
  if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  result.out = read_file(out);
  result.err = read_file(err);
  std::error_code ignored;
  std::filesystem::remove(out, ignored);
  std::filesystem::remove(err, ignored);
  return result;
}

bool running_under_emulator() {
  const char* emulator = std::getenv("VERTIGROW_EMULATOR");
  return emulator != nullptr && *emulator != '\0';
}

std::string crlf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void expect_run(const RunResult& run, int status, const std::string& message,
                const std::string& what) {
  EXPECT_EQ(run.status, status) << what;
  EXPECT_EQ(run.out, crlf(kBanner + message)) << what;
  EXPECT_EQ(run.err, "") << what;
}

}  // namespace vertigrow::testing
