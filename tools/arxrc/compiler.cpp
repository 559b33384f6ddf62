// Ties the stages together: preprocessor, token stream, parser.
#include "compiler.h"

#include <algorithm>

#include "parser.h"
#include "preprocessor.h"
#include "token_stream.h"

namespace arxrc {

Script compileScript(const std::string& path, const Options& options)
{
    MacroTable macros;
    auto commandLine = std::make_shared<const std::string>("<command line>");
    for (const auto& [name, value] : options.defines)
        macros.define(name, {value, false, {commandLine, 0}});
    Preprocessor pre(options.includeDirs, macros);
    pre.start(path);
    TokenStream tokens(pre, macros);
    Script script;
    script.source = path;
    parseScript(tokens, script, options.includeDirs);
    std::vector<std::string> files;
    const std::vector<std::string>* lists[] = {&pre.files(), &script.dependencies};
    for (const std::vector<std::string>* list : lists) {
        for (const std::string& f : *list) {
            if (std::find(files.begin(), files.end(), f) == files.end())
                files.push_back(f);
        }
    }
    script.dependencies = std::move(files);
    return script;
}

}  // namespace arxrc
