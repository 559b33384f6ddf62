// Integer expressions of resource scripts and #if lines: C's operators and
// precedence over 32-bit values, plus NOT (bitwise complement), and the style form
// in which "| NOT X" clears X from a default.
#pragma once
#include <cstdint>

#include "token_source.h"

namespace arxrc {

enum class UnknownNames {
    Error,  // a script: every name must have been #defined
    Zero,   // an #if line: a name left after expansion counts as 0, as in C
};

std::uint32_t evaluate(TokenSource& in, UnknownNames unknown);

// A style: terms joined by |, each setting its bits, or with NOT clearing them, from
// left to right starting from defaultStyle.
std::uint32_t evaluateStyle(TokenSource& in, std::uint32_t defaultStyle);

}  // namespace arxrc
