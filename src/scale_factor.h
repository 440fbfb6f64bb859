// Reading a scale factor from its command-line argument.
#pragma once

#include <string_view>

namespace vertigrow {

// Reads the longest leading decimal number of a scale argument: after white
// space, an optional sign, digits with at most one ".", and an optional
// exponent introduced by e, E, d or D that has at least one digit. The rest of
// the argument is ignored. An argument that does not begin with a number
// gives +0. Never fails.
double parse_scale_factor(std::string_view argument);

}  // namespace vertigrow
