#include "text_stream.h"

#include <cstring>

namespace vertigrow {

TextReader::TextReader(std::FILE* file) : file_(file) {
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

// Reading a block:
//  1. Put a CR held back from the previous block in front of the new bytes.
//  2. Read up to kBlockSize bytes; fewer means the end of the file or an error.
//  3. Cut the data at the first Ctrl-Z; nothing after it is ever read.
//  4. Drop each CR that comes right before an LF.
//  5. A CR that is the last byte while more data may follow is held back until
//     the next byte shows whether it belongs to a CR LF.
bool TextReader::refill() {
  begin_ = end_ = 0;
  while (!at_end_ && end_ == 0) {
    std::size_t n = 0;
    if (held_cr_) {
      block_[n++] = '\r';
      held_cr_ = false;
    }
    const std::size_t got = std::fread(block_ + n, 1, kBlockSize, file_);
    if (got < kBlockSize) {
      at_end_ = true;
      failed_ = std::ferror(file_) != 0;
    }
    n += got;

    if (void* z = std::memchr(block_, kCtrlZ, n)) {
      n = static_cast<std::size_t>(static_cast<char*>(z) - block_);
      at_end_ = true;
    }
    if (n > 0 && block_[n - 1] == '\r' && !at_end_) {
      held_cr_ = true;
      --n;
    }
    // From CR to CR: drop the CR when an LF follows, then move the run of
    // bytes up to the next CR in one go.
    char* const last = block_ + n;
    char* in = static_cast<char*>(std::memchr(block_, '\r', n));
    char* out = in;
    while (in != nullptr && in < last) {
      if (in + 1 < last && in[1] == '\n') {
        ++in;
      } else {
        *out++ = *in++;
      }
      char* next = static_cast<char*>(std::memchr(in, '\r', static_cast<std::size_t>(last - in)));
      if (next == nullptr) next = last;
      std::memmove(out, in, static_cast<std::size_t>(next - in));
      out += next - in;
      in = next;
    }
    if (out != nullptr) n = static_cast<std::size_t>(out - block_);
    end_ = n;
  }
  return end_ > 0;
}

std::size_t TextReader::read_piece(char* piece) {
  std::size_t length = 0;
  while (length < kMaxPieceLength) {
    if (begin_ == end_ && !refill()) break;
    const std::size_t room = kMaxPieceLength - length;
    const std::size_t available = end_ - begin_;
    const std::size_t span = available < room ? available : room;
    const char* from = block_ + begin_;
    const void* lf = std::memchr(from, '\n', span);
    const std::size_t take =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - from) + 1 : span;
    std::memcpy(piece + length, from, take);
    begin_ += take;
    length += take;
    if (lf != nullptr) break;
  }
  return length;
}

TextWriter::TextWriter(std::FILE* file) : file_(file) {
  std::setvbuf(file_, nullptr, _IONBF, 0);
}

void TextWriter::put(const char* bytes, std::size_t length) {
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
      put(text, static_cast<std::size_t>(last - text));
      return;
    }
    const char* at = static_cast<const char*>(lf);
    put(text, static_cast<std::size_t>(at - text));
    put("\r\n", 2);
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
