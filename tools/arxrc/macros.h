// The #define table and the expansion of object-like macros in a line of tokens.
// A name being expanded is not expanded again inside its own value, as in C, and the
// depth and total size of expansions are bounded.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "token.h"

namespace arxrc {

struct Macro {
    std::string body;
    bool functionLike = false;
    Location where;
};

class MacroTable {
public:
    void define(const std::string& name, Macro macro) { mMacros[name] = std::move(macro); }
    void undefine(const std::string& name) { mMacros.erase(name); }
    bool defined(const std::string& name) const { return mMacros.count(name) != 0; }
    const Macro* find(const std::string& name) const;

    // Replaces every defined name in tokens by its value, recursively. The tokens of a
    // value take the place (file and line) of the name they replace.
    std::vector<Token> expand(const std::vector<Token>& tokens);

private:
    void expandInto(const Token& token, std::vector<std::string>& active, std::vector<Token>& out);

    std::map<std::string, Macro> mMacros;
    std::size_t mBudget = 0;
};

}  // namespace arxrc
