// Builds a Script from the tokens of a resource script: STRINGTABLE blocks, DIALOGEX
// templates with their controls, and "name TYPE file" resources.
#pragma once
#include "script.h"
#include "token_stream.h"

namespace arxrc {

// searchDirs: where a data file's relative name is looked for after the folder
// of the script that names it.
void parseScript(TokenStream& in, Script& script, const std::vector<std::string>& searchDirs);

}  // namespace arxrc
