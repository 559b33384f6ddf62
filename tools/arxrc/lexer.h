// Splits a logical line into tokens: identifiers, numbers (decimal, 0x hex, 0 octal,
// with L and U suffixes), strings ("..." or L"..." with \n \t \r \a \\ \" \xNN,
// octal escapes and "" for a quote) and punctuators.
#pragma once
#include <string>
#include <vector>

#include "token.h"

namespace arxrc {

std::vector<Token> lexLine(const std::string& text, const Location& where);

}  // namespace arxrc
