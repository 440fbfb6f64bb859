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

namespace vertigrow {

// Data moves between the tool and a file in blocks of this many bytes.
inline constexpr std::size_t kBlockSize = 4096;

// A line piece runs up to and including the next LF, or holds this many bytes
// of a longer line (the room a 256-byte line buffer leaves for its NUL).
inline constexpr std::size_t kMaxPieceLength = 255;

inline constexpr char kCtrlZ = '\x1a';

class TextReader {
 public:
  // Takes the file over for reading; switches off the file's own buffering.
  explicit TextReader(std::FILE* file);

  // Copies the next line piece to piece (room for kMaxPieceLength bytes) and
  // returns its length, or 0 when the input has ended.
  std::size_t read_piece(char* piece);

  // True when a read error ended the input (rather than its end).
  bool failed() const { return failed_; }

 private:
  // Reads the next block and translates it; false when nothing is left.
  bool refill();

  std::FILE* file_;
  std::size_t begin_ = 0;  // translated bytes not yet delivered: [begin_, end_)
  std::size_t end_ = 0;
  bool held_cr_ = false;  // a CR that ended the last block, settled by the next byte
  bool at_end_ = false;   // no more reads: end of file, Ctrl-Z or a read error
  bool failed_ = false;
  char block_[kBlockSize + 1];  // one extra byte in front of a block for a held CR
};

class TextWriter {
 public:
  // Writes to file; switches off the file's own buffering, since the text is
  // collected here in blocks of kBlockSize bytes.
  explicit TextWriter(std::FILE* file);

  // Adds text, writing each LF as CR LF. After a failed write, later text is
  // dropped: what reached the file before the failure stays as it was.
  void write(const char* text, std::size_t length);

  // Hands the collected text to the file. Returns false once any write failed.
  bool flush();

  bool failed() const { return failed_; }

 private:
  void put(const char* bytes, std::size_t length);

  std::FILE* file_;
  std::size_t used_ = 0;
  bool failed_ = false;
  char buffer_[kBlockSize];
};

}  // namespace vertigrow
