// Standard output as the tool's text stream, and the one exit step.
//
// Every text the tool prints goes to standard output, with CR LF line ends,
// through a 4096-byte buffer; when standard output is a terminal each message
// is handed over as soon as it is complete.
#pragma once

#include <string_view>

namespace vertigrow {

// Sets standard output up as a text stream. Called once, before any message.
void console_open();

// Prints a message made of the given parts, in order.
void console_message(std::string_view text);
void console_message(std::string_view prefix, std::string_view name, std::string_view suffix);

// The exit step: writes out all buffered output, then ends the process.
[[noreturn]] void exit_process(int status);

}  // namespace vertigrow
