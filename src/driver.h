// The command-line driver: vertigrow xScale yScale zScale Infile [Outfile].
#pragma once

namespace vertigrow {

// Prints the banner, checks the arguments, opens both files, runs the scaling
// pass and ends the process with status 0 (the whole input was copied) or 1
// (any refusal or failure, each reported by one message).
[[noreturn]] void run_driver(int argc, char** argv);

}  // namespace vertigrow
