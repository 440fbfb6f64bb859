#include "console.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "text_stream.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vertigrow {
namespace {

// Lives for the whole process and has a trivial destructor, so the exit step
// alone decides when its text is written out.
alignas(TextWriter) unsigned char console_storage[sizeof(TextWriter)];
TextWriter* console_writer = nullptr;
bool console_is_terminal = false;

bool standard_output_is_terminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdout)) != 0;
#else
  return isatty(fileno(stdout)) != 0;
#endif
}

void end_message() {
  if (console_is_terminal) console_writer->flush();
}

}  // namespace

void console_open() {
#ifdef _WIN32
  // The tool writes its own CR LF; the runtime must not add a second CR.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  console_is_terminal = standard_output_is_terminal();
  console_writer = new (console_storage) TextWriter(stdout);
}

void console_message(std::string_view text) {
  console_writer->write(text.data(), text.size());
  end_message();
}

void console_message(std::string_view prefix, std::string_view name, std::string_view suffix) {
  console_writer->write(prefix.data(), prefix.size());
  console_writer->write(name.data(), name.size());
  console_writer->write(suffix.data(), suffix.size());
  end_message();
}

void exit_process(int status) {
  if (console_writer != nullptr) console_writer->flush();
  std::fflush(stdout);
  std::exit(status);
}

}  // namespace vertigrow
