// Files as text streams, with the tool's own text conventions on every
// platform: both files are opened in binary mode and translated here.
//
// Reading: CR LF becomes LF, any other CR stays, a Ctrl-Z byte ends the input,
// and the input is cut into line pieces of at most kMaxPieceLength bytes.
// Writing: every LF written is preceded by a CR; nothing else is changed.
// Pieces are bytes with a length, so NUL bytes pass through like any other.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace vertigrow {

// Data moves between the tool and a file in blocks of this many bytes. 64 KiB
// rather than 4 KiB: on 50 MB inputs, a copy of ordinary text took less than
// half the time, and rescaling point arrays 13 to 16% less (one run, medians
// of five); the two buffers add about 128 KiB to the tool's memory.
inline constexpr std::size_t kBlockSize = 65536;

// A line piece runs up to and including the next LF, or holds this many bytes
// of a longer line (the room a 256-byte line buffer leaves for its NUL).
inline constexpr std::size_t kMaxPieceLength = 255;

inline constexpr char kCtrlZ = '\x1a';

class TextWriter;

class TextReader {
 public:
  // Takes the file over for reading; switches off the file's own buffering.
  explicit TextReader(std::FILE* file);

  // Copies the next line piece to piece (room for kMaxPieceLength bytes) and
  // returns its length, or 0 when the input has ended.
  std::size_t read_piece(char* piece);

  // Copies the input to out, piece by piece as read_piece would cut it, up to
  // and including the first piece equal to target, and returns true; returns
  // false when the input ended first or out failed. target must end in its
  // only LF, hold no CR and be at most kHistory bytes. Must be called at the
  // start of a line. Copies whole runs of bytes at once: written as text, the
  // input's bytes come out as they are, except that an LF without a CR before
  // it gets one.
  bool copy_through_piece(std::string_view target, TextWriter& out);

  // True when a read error ended the input (rather than its end).
  bool failed() const { return failed_; }

  // Bytes before the unread ones that stay readable across a refill.
  static constexpr std::size_t kHistory = 16;

 private:
  // Tops the unread bytes up with the next block. Keeps kHistory bytes of what
  // came before them.
  void refill();

  std::FILE* file_;
  std::size_t begin_ = kHistory;  // unread bytes, as in the file: [begin_, end_)
  std::size_t end_ = kHistory;
  bool at_end_ = false;  // no more reads: end of file, Ctrl-Z or a read error
  bool failed_ = false;
  // History, then at most one piece's worth of bytes kept from the last
  // block (a piece and the LF after its CR), then the next block.
  char data_[kHistory + kMaxPieceLength + 1 + kBlockSize];
};

class TextWriter {
 public:
  // Writes to file; switches off the file's own buffering, since the text is
  // collected here in blocks of kBlockSize bytes.
  explicit TextWriter(std::FILE* file);

  // Adds text, writing each LF as CR LF. After a failed write, later text is
  // dropped: what reached the file before the failure stays as it was.
  void write(const char* text, std::size_t length);

  // Adds bytes exactly as they are.
  void write_bytes(const char* bytes, std::size_t length);

  // Adds a line that holds no LF, and the CR LF that ends it.
  void write_line(const char* text, std::size_t length) {
    write_bytes(text, length);
    write_bytes("\r\n", 2);
  }

  // Hands the collected text to the file. Returns false once any write failed.
  bool flush();

  bool failed() const { return failed_; }

 private:
  std::FILE* file_;
  std::size_t used_ = 0;
  bool failed_ = false;
  char buffer_[kBlockSize];
};

}  // namespace vertigrow
