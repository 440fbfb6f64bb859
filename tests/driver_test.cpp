// End-to-end runs of the built tool, each in a fresh temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_tool.h"

namespace vertigrow {
namespace {

using testing::crlf;
using testing::expect_run;
using testing::kSample;
using testing::kSampleTimesTwo;
using testing::TempFolder;

const std::string kUsage = "Usage: vertigrow xScale yScale zScale Infile [Outfile]\n";

// Any argument count but four or five gives the usage line.
TEST(Driver, ArgumentCount) {
  TempFolder folder;
  folder.write("a.txt", kSample);
  const std::vector<std::vector<std::string>> wrong = {{},
                                                       {"2"},
                                                       {"2", "2", "2"},
                                                       {"2", "2", "2", "2", "a.txt", "b.txt"},
                                                       {"2", "2", "2", "a.txt", "b.txt", "c", "d"}};
  for (const auto& args : wrong) {
    expect_run(folder.run(args), 1, kUsage);
  }
  EXPECT_FALSE(folder.exists("b.txt"));
  EXPECT_FALSE(folder.exists("a.txts"));
}

// Success prints the banner alone; without Outfile the output is Infile + "s".
TEST(Driver, OutputNames) {
  TempFolder folder;
  folder.write("a.txt", kSample);
  folder.write("data", kSample);
  folder.write("a.txts", "old contents, to be replaced\n");
  expect_run(folder.run({"2", "2", "2", "a.txt"}), 0, "");
  EXPECT_EQ(folder.read("a.txts"), kSampleTimesTwo);
  expect_run(folder.run({"2", "2", "2", "data"}), 0, "");
  EXPECT_EQ(folder.read("datas"), kSampleTimesTwo);
  expect_run(folder.run({"2", "2", "2", "a.txt", "b.out"}), 0, "");
  EXPECT_EQ(folder.read("b.out"), kSampleTimesTwo);
  EXPECT_EQ(folder.read("a.txt"), kSample);
}

// Names far longer than 127 characters, for the output and the input.
TEST(Driver, LongNames) {
  TempFolder folder;
  const std::string in(150, 'i');
  const std::string out(200, 'o');
  folder.write(in, kSample);
  expect_run(folder.run({"2", "2", "2", in, out}), 0, "");
  EXPECT_EQ(folder.read(out), kSampleTimesTwo);
  expect_run(folder.run({"2", "2", "2", in}), 0, "");
  EXPECT_EQ(folder.read(in + "s"), kSampleTimesTwo);
}

// Each refusal, in its order, and a file bearing the output name left alone.
TEST(Driver, Refusals) {
  TempFolder folder;
  folder.write("a.txt", kSample);
  folder.write("out.txt", "keep me\n");
  expect_run(folder.run({"2", "2", "2", "a.txt", "a.txt"}), 1,
             "Input file and Output file cannot be the same! a.txt\n");
  EXPECT_EQ(folder.read("a.txt"), kSample);
  expect_run(folder.run({"2", "2", "2", "missing.txt", "out.txt"}), 1,
             "Can't open input file missing.txt\n");
  EXPECT_EQ(folder.read("out.txt"), "keep me\n");
  expect_run(folder.run({"2", "2", "2", "missing.txt", "new.txt"}), 1,
             "Can't open input file missing.txt\n");
  EXPECT_FALSE(folder.exists("new.txt"));
  expect_run(folder.run({"2", "2", "2", "a.txt", "no/such/folder.txt"}), 1,
             "Can't open output file no/such/folder.txt\n");
}

// The unreadable piece is shown as read, its line feed included, so the
// closing parenthesis starts a line of its own; the output keeps what came
// before it.
TEST(Driver, UnreadablePiece) {
  TempFolder folder;
  folder.write("in.txt", "h\nPOINTS{\n1,1,1\n  1.5, -2 ,3\n}\nt\n");
  expect_run(folder.run({"1", "1", "1", "in.txt", "out.txt"}), 1,
             "Unable to read point array: (  1.5, -2 ,3\n)\n");
  EXPECT_EQ(folder.read("out.txt"), crlf("h\nPOINTS{\n1.000000,1.000000,1.000000;\n"));

  folder.write("cut.txt", "POINTS{\n1,2,3\n}");
  expect_run(folder.run({"1", "1", "1", "cut.txt", "out.txt"}), 1,
             "Unable to read point array: (})\n");
}

// NUL bytes are copied outside the arrays, and shown whole in a message.
TEST(Driver, NulBytes) {
  TempFolder folder;
  const std::string outside("x\0y\nPOINTS{\n1,2,3\n}\n\0\n", 22);
  folder.write("in.txt", outside);
  expect_run(folder.run({"1", "1", "1", "in.txt", "out.txt"}), 0, "");
  EXPECT_EQ(folder.read("out.txt"),
            crlf(std::string("x\0y\nPOINTS{\n1.000000,2.000000,3.000000;\n}\n\0\n", 44)));

  folder.write("bad.txt", std::string("POINTS{\n1,2\0,3\n", 15));
  expect_run(folder.run({"1", "1", "1", "bad.txt", "out.txt"}), 1,
             std::string("Unable to read point array: (1,2\0,3\n)\n", 38));
}

// Scale arguments: the longest leading number, 0 when there is none,
// infinity when too large.
TEST(Driver, ScaleArguments) {
  TempFolder folder;
  folder.write("in.txt", "POINTS{\n1.5,-2,0\n}\n");
  expect_run(folder.run({"abc", "1.5d2", " 2", "in.txt", "out.txt"}), 0, "");
  EXPECT_EQ(folder.read("out.txt"), crlf("POINTS{\n0.000000,-300.000000,0.000000;\n}\n"));
  expect_run(folder.run({"1e999", "1e999", "1e999", "in.txt", "out.txt"}), 0, "");
  EXPECT_EQ(folder.read("out.txt"), crlf("POINTS{\n1.#INF00,-1.#INF00,-1.#IND00;\n}\n"));
}

// A rewritten point line longer than any piece is written whole.
TEST(Driver, LongRewrittenLine) {
  TempFolder folder;
  folder.write("in.txt", "POINTS{\n1e100,-1e100,1e100\n}\n");
  expect_run(folder.run({"1", "1", "1", "in.txt", "out.txt"}), 0, "");
  const std::string out = folder.read("out.txt");
  // Each number has 101 integer digits.
  EXPECT_EQ(out.size(), 9 + (101 + 7) + 1 + (102 + 7) + 1 + (101 + 7) + 3 + 3);
  EXPECT_EQ(out.substr(out.size() - 6), ";\r\n}\r\n");
}

}  // namespace
}  // namespace vertigrow
