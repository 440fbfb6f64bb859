#include "text_stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "run_tool.h"

namespace vertigrow {
namespace {

// The pieces a reader cuts from the given file contents.
std::vector<std::string> pieces_of(const std::string& bytes) {
  std::FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  TextReader reader(file);
  std::vector<std::string> pieces;
  char piece[kMaxPieceLength];
  while (const std::size_t n = reader.read_piece(piece)) pieces.emplace_back(piece, n);
  EXPECT_FALSE(reader.failed());
  std::fclose(file);
  return pieces;
}

using Pieces = std::vector<std::string>;

// CR LF is read as LF; every other CR stays.
TEST(TextReader, CarriageReturns) {
  EXPECT_EQ(pieces_of("a\r\nb\r\n"), (Pieces{"a\n", "b\n"}));
  EXPECT_EQ(pieces_of("a\r\r\nb"), (Pieces{"a\r\n", "b"}));
  EXPECT_EQ(pieces_of("a\rb\rc"), (Pieces{"a\rb\rc"}));
  EXPECT_EQ(pieces_of("a\r"), (Pieces{"a\r"}));
  EXPECT_EQ(pieces_of("\r\n\r\n"), (Pieces{"\n", "\n"}));
  EXPECT_EQ(pieces_of("\n\r"), (Pieces{"\n", "\r"}));
}

// A CR that ends one block is settled by the first byte of the next.
TEST(TextReader, CarriageReturnAtBlockEnd) {
  const std::string head(kBlockSize - 1, 'x');
  auto joined = [](const Pieces& pieces) {
    std::string all;
    for (const std::string& p : pieces) all += p;
    return all;
  };
  EXPECT_EQ(joined(pieces_of(head + "\r\nz")), head + "\nz");
  EXPECT_EQ(joined(pieces_of(head + "\rz")), head + "\rz");
  EXPECT_EQ(joined(pieces_of(head + "\r")), head + "\r");
  EXPECT_EQ(joined(pieces_of(head + "\r\x1a\n")), head + "\r");
  EXPECT_EQ(joined(pieces_of(head + "\r\r\n")), head + "\r\n");
  // Two blocks in a row that each end in a CR.
  const std::string second(kBlockSize - 2, 'y');
  EXPECT_EQ(joined(pieces_of(head + "\r" + second + "\r\nz")), head + "\r" + second + "\nz");
}

// Ctrl-Z ends the input; nothing after it is read.
TEST(TextReader, CtrlZEndsTheInput) {
  EXPECT_EQ(pieces_of("\x1a"
                      "abc\n"),
            Pieces{});
  EXPECT_EQ(pieces_of("ab\x1a"
                      "c\n"),
            (Pieces{"ab"}));
  EXPECT_EQ(pieces_of("ab\r\x1a"), (Pieces{"ab\r"}));
  const std::string far(3 * kBlockSize + 17, 'q');
  EXPECT_EQ(pieces_of(far + "\n\x1a" + far).size(), (far.size() + 1 + 254) / 255);
}

// A piece holds at most 255 bytes; a line of exactly 255 and its LF gives a
// piece of its own for the LF.
TEST(TextReader, PieceLength) {
  const std::string line255(255, 'a');
  EXPECT_EQ(pieces_of(line255 + "\n"), (Pieces{line255, "\n"}));
  EXPECT_EQ(pieces_of(std::string(254, 'a') + "\r\n"), (Pieces{std::string(254, 'a') + "\n"}));
  EXPECT_EQ(pieces_of(std::string(600, 'b')),
            (Pieces{std::string(255, 'b'), std::string(255, 'b'), std::string(90, 'b')}));
  EXPECT_EQ(pieces_of(""), Pieces{});
}

// NUL and bytes above 0x7F are bytes like any other.
TEST(TextReader, AllOtherBytesUnchanged) {
  const std::string bytes("a\0b\xff\xe9\x7f\n", 7);
  EXPECT_EQ(pieces_of(bytes), (Pieces{bytes}));
}

// A plain model of the reading rules: translate the whole input, then cut it.
std::vector<std::string> model_pieces(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != kCtrlZ; ++i) {
    const bool cr_lf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (!cr_lf) text += bytes[i];
  }
  std::vector<std::string> pieces;
  std::string piece;
  for (char c : text) {
    piece += c;
    if (c == '\n' || piece.size() == kMaxPieceLength) {
      pieces.push_back(piece);
      piece.clear();
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

// Random inputs made of the bytes that matter, lines of every length around a
// piece's and a block's size, cut by the model and by the reader alike:
// copying through "POINTS{\n" gives the model's pieces up to it as text, and
// read_piece gives the model's pieces after it.
TEST(TextReader, AgreesWithAPlainModel) {
  std::mt19937 random(20261211);
  const std::string target = "POINTS{\n";
  const char* const atoms[] = {"a",       "\r",          "\n",        "\r\n",
                               "POINTS{", "POINTS{\r\n", "POINTS{\n", "}\n"};
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    const int atoms_wanted = static_cast<int>(random() % 400);
    for (int i = 0; i < atoms_wanted; ++i) {
      if (random() % 10 == 0) {
        input += std::string(random() % 300, 'w');
      } else {
        input += atoms[random() % std::size(atoms)];
      }
    }
    // Now and then a Ctrl-Z somewhere.
    if (random() % 5 == 0) input.insert(random() % (input.size() + 1), 1, kCtrlZ);
    const std::vector<std::string> expected = model_pieces(input);

    std::FILE* in = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    std::string copied;
    std::vector<std::string> after;
    {
      TextReader reader(in);
      TextWriter writer(out);
      const bool found = reader.copy_through_piece(target, writer);
      ASSERT_TRUE(writer.flush());
      std::rewind(out);
      char buffer[4096];
      while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, out))
        copied.append(buffer, n);
      char piece[kMaxPieceLength];
      while (const std::size_t n = reader.read_piece(piece)) after.emplace_back(piece, n);

      std::size_t at = 0;
      std::string expected_copy;
      while (at < expected.size() && expected[at] != target) expected_copy += expected[at++];
      ASSERT_EQ(found, at < expected.size()) << round;
      if (found) expected_copy += expected[at++];
      EXPECT_EQ(copied, testing::crlf(expected_copy)) << round;
      EXPECT_EQ(after,
                std::vector<std::string>(expected.begin() + static_cast<long>(at), expected.end()))
          << round;
    }
    std::fclose(in);
    std::fclose(out);
  }
}

std::string written(const std::vector<std::string>& texts) {
  std::FILE* file = std::tmpfile();
  TextWriter writer(file);
  for (const std::string& t : texts) writer.write(t.data(), t.size());
  EXPECT_TRUE(writer.flush());
  std::rewind(file);
  std::string out;
  char buffer[1024];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) out.append(buffer, n);
  std::fclose(file);
  return out;
}

// Every LF is written as CR LF; nothing else changes.
TEST(TextWriter, LineFeedsBecomeCrLf) {
  EXPECT_EQ(written({"a\n", "b\r\n", "\n"}), "a\r\nb\r\r\n\r\n");
  EXPECT_EQ(written({std::string("\0\r\xff", 3)}), std::string("\0\r\xff", 3));
  EXPECT_EQ(written({}), "");
}

// Text larger than the buffer, with line ends on the block edges.
TEST(TextWriter, ManyBlocks) {
  std::string text;
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const std::string line(static_cast<std::size_t>(i % 7), 'k');
    text += line + "\n";
    expected += line + "\r\n";
  }
  EXPECT_EQ(written({text}), expected);
}

// A failed write is remembered, and later text is dropped.
TEST(TextWriter, WriteFailure) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  TextWriter writer(full);
  const std::string text(3 * kBlockSize, 'z');
  writer.write(text.data(), text.size());
  EXPECT_TRUE(writer.failed());
  EXPECT_FALSE(writer.flush());
  std::fclose(full);
}

}  // namespace
}  // namespace vertigrow
