// Builds a Script from the tokens of a resource script: STRINGTABLE blocks, DIALOGEX
// templates with their controls, and "name TYPE file" resources.
#pragma once
#include "script.h"
#include "token_stream.h"

namespace arxrc {

void parseScript(TokenStream& in, Script& script);

}  // namespace arxrc
