#include "text_stream.h"

#include <cstring>

namespace vertigrow {
namespace {

// The length of a piece never reaches this, so at least this many unread
// bytes let a piece be cut without a look past them: the piece itself and
// the LF after a CR that ends it.
constexpr std::size_t kLookahead = kMaxPieceLength + 1;

}  // namespace

TextReader::TextReader(std::FILE* file) : file_(file) {
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

// Refilling:
//  1. Move the unread bytes, with kHistory bytes before them, to the front.
//  2. Read one block behind them; fewer bytes mean the end of the file or a
//     read error, and no read follows.
//  3. Cut the new bytes at the first Ctrl-Z: nothing after it is ever read.
// CR LF is not touched here: a CR is settled when the byte after it is
// looked at, which is then always among the unread bytes.
void TextReader::refill() {
  const std::size_t keep = end_ - begin_;
  std::memmove(data_, data_ + begin_ - kHistory, kHistory + keep);
  begin_ = kHistory;
  end_ = kHistory + keep;

  char* const fresh = data_ + end_;
  std::size_t got = std::fread(fresh, 1, kBlockSize, file_);
  if (got < kBlockSize) {
    at_end_ = true;
    failed_ = std::ferror(file_) != 0;
  }
  if (const void* z = std::memchr(fresh, kCtrlZ, got)) {
    got = static_cast<std::size_t>(static_cast<const char*>(z) - fresh);
    at_end_ = true;
  }
  end_ += got;
}

// Cutting a piece from the unread bytes p, with at least kLookahead of them
// unless the input ends sooner:
//  - an LF at p[k] with a CR before it gives p[0..k-1) and an LF (k bytes);
//  - an LF at p[k] without one gives p[0..k] (k + 1 bytes), when that fits;
//  - otherwise the piece is the first kMaxPieceLength bytes, or all that is
//    left. A CR among them stays: it is not followed by an LF.
std::size_t TextReader::read_piece(char* piece) {
  if (end_ - begin_ < kLookahead && !at_end_) refill();
  const char* const p = data_ + begin_;
  const std::size_t available = end_ - begin_;
  const std::size_t window = available < kLookahead ? available : kLookahead;
  if (const void* lf = std::memchr(p, '\n', window)) {
    const std::size_t k = static_cast<std::size_t>(static_cast<const char*>(lf) - p);
    if (k > 0 && p[k - 1] == '\r') {
      std::memcpy(piece, p, k - 1);
      piece[k - 1] = '\n';
      begin_ += k + 1;
      return k;
    }
    if (k < kMaxPieceLength) {
      std::memcpy(piece, p, k + 1);
      begin_ += k + 1;
      return k + 1;
    }
  }
  const std::size_t length = window < kMaxPieceLength ? window : kMaxPieceLength;
  std::memcpy(piece, p, length);
  begin_ += length;
  return length;
}

// Copying through a piece, one LF at a time over the unread bytes:
//  1. The line's length as read is its length in the file, less the CR
//     before its LF. Its last piece holds length % kMaxPieceLength bytes and
//     the LF, so it equals target when that count is right and the bytes
//     before the line end are target's. They may lie before the unread
//     bytes: kHistory keeps them.
//  2. An LF with a CR before it is copied as it is; one without gets a CR.
//  3. Runs of bytes between such insertions are copied in one go.
bool TextReader::copy_through_piece(std::string_view target, TextWriter& out) {
  const std::size_t body = target.size() - 1;  // target without its LF
  std::size_t line = 0;                        // bytes of the current line in earlier runs
  for (;;) {
    if (begin_ == end_) {
      if (at_end_) return false;
      refill();
      continue;
    }
    const char* run = data_ + begin_;
    const char* line_start = run;
    const char* const end = data_ + end_;
    while (const void* found =
               std::memchr(line_start, '\n', static_cast<std::size_t>(end - line_start))) {
      const char* lf = static_cast<const char*>(found);
      const std::size_t raw = line + static_cast<std::size_t>(lf - line_start);
      const bool cr = raw > 0 && lf[-1] == '\r';
      const std::size_t length = raw - (cr ? 1 : 0);
      const bool is_target = length % kMaxPieceLength == body &&
                             std::memcmp(lf - (cr ? 1 : 0) - body, target.data(), body) == 0;
      if (!cr) {
        out.write_line(run, static_cast<std::size_t>(lf - run));
        run = lf + 1;
      }
      line = 0;
      line_start = lf + 1;
      if (is_target) {
        out.write_bytes(run, static_cast<std::size_t>(line_start - run));
        begin_ = static_cast<std::size_t>(line_start - data_);
        return !out.failed();
      }
    }
    out.write_bytes(run, static_cast<std::size_t>(end - run));
    line += static_cast<std::size_t>(end - line_start);
    begin_ = end_;
    if (out.failed()) return false;
  }
}

TextWriter::TextWriter(std::FILE* file) : file_(file) {
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

void TextWriter::write_bytes(const char* bytes, std::size_t length) {
  if (failed_) return;
  while (length > 0) {
    if (used_ == kBlockSize && !flush()) return;
    const std::size_t room = kBlockSize - used_;
    const std::size_t take = length < room ? length : room;
    std::memcpy(buffer_ + used_, bytes, take);
    used_ += take;
    bytes += take;
    length -= take;
  }
}

void TextWriter::write(const char* text, std::size_t length) {
  if (failed_) return;
  const char* const last = text + length;
  while (text < last) {
    const void* lf = std::memchr(text, '\n', static_cast<std::size_t>(last - text));
    if (lf == nullptr) {
      write_bytes(text, static_cast<std::size_t>(last - text));
      return;
    }
    const char* at = static_cast<const char*>(lf);
    write_line(text, static_cast<std::size_t>(at - text));
    text = at + 1;
  }
}

bool TextWriter::flush() {
  if (!failed_ && used_ > 0) {
    failed_ = std::fwrite(buffer_, 1, used_, file_) != used_;
  }
  used_ = 0;
  return !failed_;
}

}  // namespace vertigrow
