// End-to-end runs of the built tool against faults: two names for one file,
// outputs that cannot be written, inputs that cannot be read, folders where
// files belong, lines of megabytes, every byte value, Ctrl-Z anywhere and a
// CR at the end of a block. Each run checks the exact bytes printed, the exit
// status, an empty standard error and what the files hold afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "run_tool.h"
#include "text_stream.h"

namespace vertigrow {
namespace {

using testing::crlf;
using testing::expect_run;
using testing::kBanner;
using testing::kSample;
using testing::kSampleTimesTwo;
using testing::RunResult;
using testing::TempFolder;

// The tool's reads and writes go through blocks of this many bytes.
constexpr std::size_t kBlock = kBlockSize;

// Compares file contents of any size, reporting the first difference
// instead of megabytes of text.
void expect_bytes(const std::string& actual, const std::string& expected, const std::string& what) {
  if (actual == expected) return;
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at < 40 ? 0 : at - 40;
  ADD_FAILURE() << what << ": " << actual.size() << " bytes instead of " << expected.size()
                << ", first difference at byte " << at
                << "\n  actual:   " << ::testing::PrintToString(actual.substr(from, 80))
                << "\n  expected: " << ::testing::PrintToString(expected.substr(from, 80));
}

std::string all_bytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// Runs the tool like TempFolder::run, in a child whose files may grow to
// file_size_limit bytes at most; SIGXFSZ is ignored, so a write past the
// limit fails with EFBIG instead of ending the process.
RunResult run_with_file_size_limit(const TempFolder& folder, const std::vector<std::string>& args,
                                   rlim_t file_size_limit) {
  const std::string out = (folder / ".stdout").string();
  const std::string err = (folder / ".stderr").string();
  const pid_t child = fork();
  if (child == 0) {
    const int in_fd = open("/dev/null", O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0 || chdir(folder.path().c_str()) != 0) _exit(126);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    const rlimit limit{file_size_limit, file_size_limit};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> strings = {std::getenv("VERTIGROW_BINARY")};
    strings.insert(strings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int raw = 0;
  waitpid(child, &raw, 0);
  RunResult result;
  if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  result.out = folder.read(".stdout");
  result.err = folder.read(".stderr");
  std::filesystem::remove(folder / ".stdout");
  std::filesystem::remove(folder / ".stderr");
  return result;
}

// Two names for one existing file are refused before anything is opened for
// writing, however the names lead to it: the input stays as it was.
void expect_refused_as_same(const TempFolder& folder, const std::vector<std::string>& names,
                            const std::string& output) {
  std::vector<std::string> args = {"2", "2", "2"};
  args.insert(args.end(), names.begin(), names.end());
  expect_run(folder.run(args), 1, "Input file and Output file cannot be the same! " + output + "\n",
             output);
  expect_bytes(folder.read("a.txt"), kSample, output);
}

TEST(Faults, OneFileByTwoPaths) {
  TempFolder folder;
  folder.write("a.txt", kSample);
  std::filesystem::create_directory(folder / "sub");
  expect_refused_as_same(folder, {"./a.txt", "a.txt"}, "a.txt");
  expect_refused_as_same(folder, {"a.txt", "./a.txt"}, "./a.txt");
  expect_refused_as_same(folder, {"a.txt", "sub/../a.txt"}, "sub/../a.txt");
}

TEST(Faults, OneFileByTwoLinks) {
  if (testing::running_under_emulator()) GTEST_SKIP() << "needs links of a Linux file system";
  TempFolder folder;
  folder.write("a.txt", kSample);
  std::filesystem::create_hard_link(folder / "a.txt", folder / "hard.txt");
  std::filesystem::create_symlink("a.txt", folder / "soft.txt");
  // The default output name, Infile + "s", may itself lead to the input.
  std::filesystem::create_symlink("a.txt", folder / "a.txts");
  const std::string absolute = (folder / "a.txt").string();
  expect_refused_as_same(folder, {"a.txt", absolute}, absolute);
  expect_refused_as_same(folder, {"a.txt", "hard.txt"}, "hard.txt");
  expect_refused_as_same(folder, {"hard.txt", "a.txt"}, "a.txt");
  expect_refused_as_same(folder, {"a.txt", "soft.txt"}, "soft.txt");
  expect_refused_as_same(folder, {"soft.txt", "a.txt"}, "a.txt");
  expect_refused_as_same(folder, {"a.txt"}, "a.txts");
}

// A failed write, at the last block or at any block before it, is reported
// with the output name; the input is left alone.
TEST(Faults, OutputCannotBeWritten) {
  if (testing::running_under_emulator()) GTEST_SKIP() << "needs /dev/full";
  TempFolder folder;
  folder.write("small.txt", kSample);
  std::string big;
  while (big.size() < 20 * kBlock) big += kSample;
  folder.write("big.txt", big);
  expect_run(folder.run({"2", "2", "2", "small.txt", "/dev/full"}), 1,
             "Can't write output file /dev/full\n", "the last block");
  expect_run(folder.run({"2", "2", "2", "big.txt", "/dev/full"}), 1,
             "Can't write output file /dev/full\n", "an early block");
  expect_bytes(folder.read("small.txt"), kSample, "small.txt");
  expect_bytes(folder.read("big.txt"), big, "big.txt");
}

// When the output stops growing part way, everything written before the
// failure stays in it: exactly the first bytes, up to the limit.
TEST(Faults, OutputKeepsWhatWasWritten) {
  if (testing::running_under_emulator()) GTEST_SKIP() << "needs a POSIX file size limit";
  TempFolder folder;
  std::string input;
  std::string expected;
  while (input.size() < 10 * kBlock) {
    input += kSample;
    expected += kSampleTimesTwo;
  }
  folder.write("in.txt", input);
  // Not a multiple of the block size, so the last write is cut short.
  constexpr rlim_t kLimit = 3 * kBlock + 1000;
  expect_run(run_with_file_size_limit(folder, {"2", "2", "2", "in.txt", "out.txt"}, kLimit), 1,
             "Can't write output file out.txt\n", "limited output");
  expect_bytes(folder.read("out.txt"), expected.substr(0, kLimit), "out.txt");
}

// An input that opens but cannot be read: the first read of /proc/self/mem
// fails (nothing is mapped at address 0). The output was created, empty.
TEST(Faults, InputCannotBeRead) {
  if (testing::running_under_emulator()) GTEST_SKIP() << "needs /proc";
  TempFolder folder;
  folder.write("out.txt", "old contents\n");
  expect_run(folder.run({"2", "2", "2", "/proc/self/mem", "out.txt"}), 1,
             "Can't read input file /proc/self/mem\n", "/proc/self/mem");
  expect_bytes(folder.read("out.txt"), "", "out.txt");
}

// Folders where files belong, and outputs in folders that do not exist.
// Nothing is created, and files bearing the names are left alone.
TEST(Faults, FoldersInsteadOfFiles) {
  TempFolder folder;
  folder.write("a.txt", kSample);
  std::filesystem::create_directory(folder / "dir");
  folder.write("dirs", "keep me\n");
  folder.write("out.txt", "keep me too\n");
  const struct {
    std::vector<std::string> names;
    std::string message;
  } cases[] = {
      {{"dir"}, "Can't open input file dir\n"},
      {{"dir", "out.txt"}, "Can't open input file dir\n"},
      {{".", "out.txt"}, "Can't open input file .\n"},
      {{"a.txt", "dir"}, "Can't open output file dir\n"},
      {{"a.txt", "."}, "Can't open output file .\n"},
      {{"a.txt", "dir/"}, "Can't open output file dir/\n"},
      {{"a.txt", "nowhere/out.txt"}, "Can't open output file nowhere/out.txt\n"},
      {{"a.txt", "a.txt/out.txt"}, "Can't open output file a.txt/out.txt\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"2", "2", "2"};
    args.insert(args.end(), c.names.begin(), c.names.end());
    expect_run(folder.run(args), 1, c.message, c.message);
  }
  expect_bytes(folder.read("a.txt"), kSample, "a.txt");
  expect_bytes(folder.read("dirs"), "keep me\n", "dirs");
  expect_bytes(folder.read("out.txt"), "keep me too\n", "out.txt");
  EXPECT_TRUE(std::filesystem::is_empty(folder / "dir"));
  EXPECT_FALSE(folder.exists("nowhere"));
}

// A line of 10 MB without a line feed. Outside an array it is copied as it
// is, and an array after it is still found. Inside one, only its first
// 255-byte piece is read as a point line: the next piece starts in the
// middle of a number and stops the pass.
TEST(Faults, TenMegabyteLine) {
  TempFolder folder;
  const std::string line(10'000'000, 'x');
  folder.write("outside.txt", "head\n" + line);
  expect_run(folder.run({"2", "2", "2", "outside.txt", "out.txt"}), 0, "", "outside, at the end");
  expect_bytes(folder.read("out.txt"), "head\r\n" + line, "out.txt");

  folder.write("before.txt", line + "\n" + kSample);
  expect_run(folder.run({"2", "2", "2", "before.txt", "out.txt"}), 0, "", "outside, then more");
  expect_bytes(folder.read("out.txt"), line + "\r\n" + kSampleTimesTwo, "out.txt");

  std::string points;
  while (points.size() < 10'000'000) points += "1,2,3;";
  folder.write("inside.txt", "POINTS{\n" + points);
  // 255 = 42 * 6 + 3, so the second piece begins with ",3;".
  expect_run(folder.run({"2", "2", "2", "inside.txt", "out.txt"}), 1,
             "Unable to read point array: (" + points.substr(255, 255) + ")\n", "inside");
  EXPECT_EQ(points.substr(255, 3), ",3;");
  EXPECT_EQ(folder.read("out.txt"), crlf("POINTS{\n2.000000,4.000000,6.000000;\n"));
}

// Every byte value outside an array: all are copied but Ctrl-Z, which ends
// the input, and LF, which is written as CR LF.
TEST(Faults, EveryByteOutsideAnArray) {
  TempFolder folder;
  const std::string bytes = all_bytes();
  folder.write("in.txt", bytes);
  expect_run(folder.run({"2", "2", "2", "in.txt", "out.txt"}), 0, "", "in order");
  expect_bytes(folder.read("out.txt"), crlf(bytes.substr(0, 0x1A)), "out.txt");

  std::string without_ctrl_z = bytes;
  without_ctrl_z.erase(0x1A, 1);
  folder.write("in.txt", without_ctrl_z + "\x1a" + kSample);
  expect_run(folder.run({"2", "2", "2", "in.txt", "out.txt"}), 0, "", "Ctrl-Z last");
  expect_bytes(folder.read("out.txt"), crlf(without_ctrl_z), "out.txt");
}

// Every byte value inside an array. In order, the first piece (NUL to LF)
// is no point line and is shown whole. After the third number every byte
// is ignored, but those that continue it.
TEST(Faults, EveryByteInsideAnArray) {
  TempFolder folder;
  const std::string bytes = all_bytes();
  folder.write("in.txt", "POINTS{\n" + bytes);
  expect_run(folder.run({"2", "2", "2", "in.txt", "out.txt"}), 1,
             "Unable to read point array: (" + bytes.substr(0, 11) + ")\n", "in order");
  expect_bytes(folder.read("out.txt"), crlf("POINTS{\n"), "out.txt");

  std::string input = "POINTS{\n";
  std::string expected = "POINTS{\n";
  for (int b = 0; b < 256; ++b) {
    if (b == '\n' || b == 0x1A) continue;
    input += "1,2,3" + std::string(1, static_cast<char>(b)) + "\n";
    const bool digit = b >= '0' && b <= '9';
    expected += digit ? "2.000000,4.000000," + std::to_string(2 * (30 + b - '0')) + ".000000;\n"
                      : "2.000000,4.000000,6.000000;\n";
  }
  folder.write("in.txt", input + "}\n");
  expect_run(folder.run({"2", "2", "2", "in.txt", "out.txt"}), 0, "", "after the numbers");
  expect_bytes(folder.read("out.txt"), crlf(expected + "}\n"), "out.txt");
}

// Every byte value in front of the first number: white space and signs, a
// digit or a point start it; any other byte makes the piece no point line.
TEST(Faults, EveryByteBeforeTheNumbers) {
  TempFolder folder;
  for (int b = 0; b < 256; ++b) {
    if (b == '\n' || b == 0x1A) continue;
    const char c = static_cast<char>(b);
    const std::string line = std::string(1, c) + "1,2,3\n";
    folder.write("in.txt", "POINTS{\n" + line + "}\n");
    const RunResult run = folder.run({"2", "2", "2", "in.txt", "out.txt"});
    std::string x;
    if (c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '+') x = "2.000000";
    if (c == '-') x = "-2.000000";
    if (c == '.') x = "0.200000";
    if (c >= '0' && c <= '9') x = std::to_string(2 * ((c - '0') * 10 + 1)) + ".000000";
    const std::string what = "byte " + std::to_string(b);
    if (x.empty()) {
      expect_run(run, 1, "Unable to read point array: (" + line + ")\n", what);
      expect_bytes(folder.read("out.txt"), crlf("POINTS{\n"), what);
    } else {
      expect_run(run, 0, "", what);
      EXPECT_EQ(folder.read("out.txt"), crlf("POINTS{\n" + x + ",4.000000,6.000000;\n}\n")) << what;
    }
  }
}

// A Ctrl-Z at each position of a short file ends the input right there: the
// run is the run of the bytes before it, message and status included.
TEST(Faults, CtrlZAtEachPosition) {
  TempFolder folder;
  const std::string file = "a\r\nPOINTS{\r\n1,2.5,3\r\n}\r\nb\r";
  for (std::size_t at = 0; at <= file.size(); ++at) {
    const std::string what = "Ctrl-Z at " + std::to_string(at);
    folder.write("cut.txt", file.substr(0, at) + "\x1a" + file.substr(at) + kSample);
    folder.write("prefix.txt", file.substr(0, at));
    const RunResult cut = folder.run({"2", "2", "2", "cut.txt", "cut.out"});
    const RunResult prefix = folder.run({"2", "2", "2", "prefix.txt", "prefix.out"});
    EXPECT_EQ(cut.status, prefix.status) << what;
    EXPECT_EQ(cut.out, prefix.out) << what;
    EXPECT_EQ(cut.err, "") << what;
    expect_bytes(folder.read("cut.out"), folder.read("prefix.out"), what);
  }
  // Three of the runs in full: between a CR and its LF, inside a number, and
  // with the whole file read.
  folder.write("cut.txt", "a\r\x1a\n");
  expect_run(folder.run({"2", "2", "2", "cut.txt", "cut.out"}), 0, "", "between CR and LF");
  expect_bytes(folder.read("cut.out"), "a\r", "cut.out");
  folder.write("cut.txt", file.substr(0, 15) + "\x1a" + file.substr(15));
  expect_run(folder.run({"2", "2", "2", "cut.txt", "cut.out"}), 1,
             "Unable to read point array: (1,2)\n", "inside a number");
  expect_bytes(folder.read("cut.out"), crlf("a\nPOINTS{\n"), "cut.out");
  folder.write("cut.txt", file + "\x1a");
  expect_run(folder.run({"2", "2", "2", "cut.txt", "cut.out"}), 0, "", "at the end");
  EXPECT_EQ(folder.read("cut.out"), crlf("a\nPOINTS{\n2.000000,5.000000,6.000000;\n}\nb\r"));
}

// An input that has the CR at line[cr] as the last byte of the first block,
// after lines of filler. Inside an array the filler is point lines, each
// shorter than a piece.
struct BlockEndFile {
  std::string input;
  std::string expected;  // the output, before the CR LF translation
};

BlockEndFile with_cr_at_block_end(BlockEndFile file, const std::string& filler_line,
                                  const std::string& filler_output, const std::string& line,
                                  std::size_t cr) {
  const bool copied = filler_output.size() + 1 == filler_line.size();
  const std::size_t line_start = kBlock - 1 - cr;
  while (file.input.size() + 2 * filler_line.size() < line_start) {
    file.input += filler_line;
    file.expected += filler_output;
  }
  // One more filler line, padded in front with blanks to the exact length.
  const std::size_t pad = line_start - file.input.size() - filler_line.size();
  file.input += std::string(pad, ' ') + filler_line;
  file.expected += (copied ? std::string(pad, ' ') : std::string()) + filler_output;
  file.input += line;
  return file;
}

// A CR as the last byte of a block is settled by the first byte of
// the next: with an LF there, the two are one line end, wherever they stand;
// with any other byte the CR stays.
TEST(Faults, CarriageReturnAtBlockEnd) {
  TempFolder folder;
  const std::string text = "some text\r\n";
  const std::string point = "1,2,3;\r\n";
  const std::string scaled = "2.000000,4.000000,6.000000;\n";
  const BlockEndFile outside = {"", ""};
  const BlockEndFile inside = {"POINTS{\r\n", "POINTS{\n"};
  const struct {
    const char* what;
    BlockEndFile file;
    std::string rest;  // the expected output after the filler
  } cases[] = {
      {"outside an array", with_cr_at_block_end(outside, text, "some text\n", "plain\r\nz\n", 5),
       "plain\nz\n"},
      {"the CR of POINTS{",
       with_cr_at_block_end(outside, text, "some text\n", "POINTS{\r\n1,2,3\r\n}\r\n", 7),
       "POINTS{\n" + scaled + "}\n"},
      {"the CR of a point line", with_cr_at_block_end(inside, point, scaled, "4,5,6\r\n}\r\n", 5),
       "8.000000,10.000000,12.000000;\n}\n"},
      {"the CR of the closing line",
       with_cr_at_block_end(inside, point, scaled, "}\r\nafter\r\n", 1), "}\nafter\n"},
      {"a lone CR outside", with_cr_at_block_end(outside, text, "some text\n", "plain\rz\r\n", 5),
       "plain\rz\n"},
      {"a CR before CR LF", with_cr_at_block_end(outside, text, "some text\n", "plain\r\r\nz\n", 5),
       "plain\r\nz\n"},
      {"a lone CR in a point line",
       with_cr_at_block_end(inside, point, scaled, "4,5,6\r;\r\n}\r\n", 5),
       "8.000000,10.000000,12.000000;\n}\n"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(c.file.input[kBlock - 1], '\r') << c.what;
    folder.write("in.txt", c.file.input);
    expect_run(folder.run({"2", "2", "2", "in.txt", "out.txt"}), 0, "", c.what);
    expect_bytes(folder.read("out.txt"), crlf(c.file.expected + c.rest), c.what);
  }
}

}  // namespace
}  // namespace vertigrow
