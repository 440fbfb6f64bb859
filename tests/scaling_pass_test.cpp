#include "scaling_pass.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "console.h"
#include "run_tool.h"
#include "text_stream.h"

namespace vertigrow {
namespace {

using testing::crlf;
using testing::TempFolder;

struct PassResult {
  PassOutcome outcome;
  std::string output;
};

PassResult run_pass(const std::string& input, ScaleFactors factors = {}) {
  static const bool console_ready = (console_open(), true);
  (void)console_ready;
  TempFolder folder;
  folder.write("in", input);
  std::FILE* in = std::fopen((folder / "in").c_str(), "rb");
  std::FILE* out = std::fopen((folder / "out").c_str(), "w+b");
  PassResult result{run_scaling_pass(in, out, factors), ""};
  result.output = folder.read("out");
  return result;
}

struct Case {
  const char* name;
  std::string input;
  ScaleFactors factors;
  std::string output;  // before the CR LF translation
  PassOutcome outcome = PassOutcome::kEndOfInput;
};

void check(const Case& c) {
  const PassResult got = run_pass(c.input, c.factors);
  EXPECT_EQ(got.outcome, c.outcome) << c.name;
  EXPECT_EQ(got.output, crlf(c.output)) << c.name;
}

// Point arrays are rescaled and rewritten; every other line is copied.
TEST(ScalingPass, RescalesPointArrays) {
  const Case cases[] = {
      {"one point",
       "POINTS{\n1,2,3;\n}\n",
       {2, 3, 4},
       "POINTS{\n2.000000,6.000000,12.000000;\n}\n"},
      {"factors of every sign",
       "POINTS{\n2.5,0,-1\n}\n",
       {-1, 0, 1},
       "POINTS{\n-2.500000,0.000000,-1.000000;\n}\n"},
      {"negative zero and tiny negative",
       "POINTS{\n-5,-5,-0.0000001\n}\n",
       {0, 1, 1},
       "POINTS{\n0.000000,-5.000000,-0.000000;\n}\n"},
      {"several arrays",
       "a\nPOINTS{\n1,2,3\n}\nb\nPOINTS{\n4,5,6\n}\nc\n",
       {2, 2, 2},
       "a\nPOINTS{\n2.000000,4.000000,6.000000;\n}\nb\nPOINTS{\n8.000000,10.000000,12.000000;\n}\n"
       "c\n"},
      {"array open at the end",
       "POINTS{\n1,2,3",
       {1, 1, 1},
       "POINTS{\n1.000000,2.000000,3.000000;\n"},
      {"block lines outside and CR LF input",
       "}\r\nPOINTS{\r\n 7 , 8\r\n",
       {1, 1, 1},
       "}\nPOINTS{\n",
       PassOutcome::kUnreadablePiece},
      {"CR LF block start opens",
       "POINTS{\r\n1,1,1\r\n}\r\n",
       {3, 3, 3},
       "POINTS{\n3.000000,3.000000,3.000000;\n}\n"},
  };
  for (const Case& c : cases) check(c);
}

// Only the exact lines "POINTS{" and "}" open and close an array.
TEST(ScalingPass, BlockLinesAreExact) {
  const Case cases[] = {
      {"CR CR LF", "POINTS{\r\r\n1,2,3\n", {2, 2, 2}, "POINTS{\r\n1,2,3\n"},
      {"blank after", "POINTS{ \n1,2,3\n", {2, 2, 2}, "POINTS{ \n1,2,3\n"},
      {"blank before", " POINTS{\n1,2,3\n", {2, 2, 2}, " POINTS{\n1,2,3\n"},
      {"lower case", "points{\n1,2,3\n", {2, 2, 2}, "points{\n1,2,3\n"},
      {"no line feed", "POINTS{", {2, 2, 2}, "POINTS{"},
      {"end with a blank",
       "POINTS{\n1,2,3\n} \n",
       {1, 1, 1},
       "POINTS{\n1.000000,2.000000,3.000000;\n",
       PassOutcome::kUnreadablePiece},
      {"end without a line feed",
       "POINTS{\n1,2,3\n}",
       {1, 1, 1},
       "POINTS{\n1.000000,2.000000,3.000000;\n",
       PassOutcome::kUnreadablePiece},
      {"start inside an array",
       "POINTS{\nPOINTS{\n}\n",
       {1, 1, 1},
       "POINTS{\n",
       PassOutcome::kUnreadablePiece},
      // The piece after 255 bytes of a longer line is a piece like any other.
      {"start after a cut",
       std::string(255, 'x') + "POINTS{\n5,5,5\n",
       {2, 2, 2},
       std::string(255, 'x') + "POINTS{\n10.000000,10.000000,10.000000;\n"},
  };
  for (const Case& c : cases) check(c);
}

// Inside an array, a piece that is neither a point line nor "}" stops the
// pass; it and everything after it stay unwritten.
TEST(ScalingPass, UnreadablePieces) {
  const Case cases[] = {
      {"blank before a comma",
       "a\nPOINTS{\n1,1,1\n  1.5, -2 ,3\nb\n",
       {1, 1, 1},
       "a\nPOINTS{\n1.000000,1.000000,1.000000;\n",
       PassOutcome::kUnreadablePiece},
      {"empty line", "POINTS{\n\n}\n", {1, 1, 1}, "POINTS{\n", PassOutcome::kUnreadablePiece},
      {"blanks only", "POINTS{\n   \n}\n", {1, 1, 1}, "POINTS{\n", PassOutcome::kUnreadablePiece},
      {"own infinity fed back",
       "POINTS{\n1.#INF00,2.000000,3.000000;\n",
       {1, 1, 1},
       "POINTS{\n",
       PassOutcome::kUnreadablePiece},
      {"NUL inside",
       std::string("POINTS{\n1\0,2,3\n", 15),
       {1, 1, 1},
       "POINTS{\n",
       PassOutcome::kUnreadablePiece},
      {"rest of a long point line",
       "POINTS{\n1,2,3" + std::string(300, ' ') + "\n}\n",
       {1, 1, 1},
       "POINTS{\n1.000000,2.000000,3.000000;\n",
       PassOutcome::kUnreadablePiece},
  };
  for (const Case& c : cases) check(c);
}

// Outside the arrays every byte passes, NUL and bytes above 0x7F included.
TEST(ScalingPass, CopiesEverythingElse) {
  const std::string odd("caf\xc3\xa9 \x01\x7f\xff\0tail\n", 15);
  const Case cases[] = {
      {"empty", "", {}, ""},
      {"Ctrl-Z first",
       "\x1a"
       "POINTS{\n",
       {},
       ""},
      {"Ctrl-Z later",
       "ab\ncd\x1a"
       "ef\n",
       {},
       "ab\ncd"},
      {"odd bytes", odd, {}, odd},
      {"lone CR", "a\rb\r", {}, "a\rb\r"},
      {"CR LF file", "x\r\ny\r\n", {}, "x\ny\n"},
  };
  for (const Case& c : cases) check(c);
}

// A CR at the last byte of a block, outside and inside an array.
TEST(ScalingPass, CarriageReturnAtBlockEnd) {
  const std::string outside = std::string(kBlockSize - 1, 'o') + "\r\n";
  check({"outside", outside + "z\n", {}, std::string(kBlockSize - 1, 'o') + "\nz\n"});

  std::string input = "POINTS{\r\n";
  std::string expected = "POINTS{\n";
  while (input.size() + 9 < kBlockSize - 1) {
    input += "1,2,3;\r\n";
    expected += "2.000000,4.000000,6.000000;\n";
  }
  input += std::string(kBlockSize - 1 - input.size() - 5, ' ') + "4,5,6\r\n}\r\n";
  ASSERT_EQ(input[kBlockSize - 1], '\r');
  expected += "8.000000,10.000000,12.000000;\n}\n";
  check({"inside", input, {2, 2, 2}, expected});
}

// Products beyond the range of a double, and the NaN of zero times infinity,
// which is written the same way on every CPU.
TEST(ScalingPass, InfinitiesAndNaN) {
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"overflow",
       "POINTS{\n1e300,-1e300,1\n",
       {1e10, 1e10, inf},
       "POINTS{\n1.#INF00,-1.#INF00,1.#INF00;\n"},
      {"zero times infinity",
       "POINTS{\n0,-0,1\n",
       {inf, inf, -inf},
       "POINTS{\n-1.#IND00,-1.#IND00,-1.#INF00;\n"},
  };
  for (const Case& c : cases) check(c);
}

// A rewritten line longer than a piece is written whole.
TEST(ScalingPass, LongRewrittenLine) {
  // 2^1000, whose 302 integer digits begin with 10715086071862673.
  const std::string number = "10715086071862673" + std::string(285, '0') + ".000000";
  const std::string text = "1.0715086071862673e301";
  check({"three numbers of 309 characters",
         "POINTS{\n" + text + "," + text + "," + text + "\n}\n",
         {1, 1, 1},
         "POINTS{\n" + number + "," + number + "," + number + ";\n}\n"});
}

// The output of the pass, fed back, gives the same output again.
TEST(ScalingPass, OwnOutputReadsBack) {
  const std::string input = "h\nPOINTS{\n1.25,-7e-3,99999.9999994\n0.1,0.2,0.3\n}\nt\n";
  const PassResult first = run_pass(input, {3, 3, 3});
  const PassResult second = run_pass(first.output, {1, 1, 1});
  EXPECT_EQ(second.outcome, PassOutcome::kEndOfInput);
  EXPECT_EQ(second.output, first.output);
}

}  // namespace
}  // namespace vertigrow
