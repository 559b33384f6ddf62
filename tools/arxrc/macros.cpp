// Macro expansion of object-like macros.
#include "macros.h"

#include <algorithm>

#include "lexer.h"
#include "rc_limits.h"

namespace arxrc {

const Macro* MacroTable::find(const std::string& name) const
{
    auto it = mMacros.find(name);
    return it == mMacros.end() ? nullptr : &it->second;
}

std::vector<Token> MacroTable::expand(const std::vector<Token>& tokens)
{
    std::vector<Token> out;
    std::vector<std::string> active;
    mBudget = limits::kMacroExpansionTokens;
    for (const Token& t : tokens)
        expandInto(t, active, out);
    return out;
}

void MacroTable::expandInto(const Token& token, std::vector<std::string>& active, std::vector<Token>& out)
{
    const Macro* macro = token.kind == Token::Kind::Identifier ? find(token.text) : nullptr;
    if (macro == nullptr || std::find(active.begin(), active.end(), token.text) != active.end()) {
        out.push_back(token);
        return;
    }
    const std::string origin = "'" + token.text + "' (defined at " + macro->where.text() + ")";
    if (macro->functionLike)
        throw RcError(token.where, origin + " takes arguments; resource scripts cannot use such macros");
    if (static_cast<int>(active.size()) >= limits::kMacroDepth)
        throw RcError(token.where, "macros nested deeper than " + std::to_string(limits::kMacroDepth) + " in " + origin);
    std::vector<Token> body;
    try {
        body = lexLine(macro->body, token.where);
    } catch (const RcError& e) {
        throw RcError(token.where, "in the value of " + origin + ": " + e.message());
    }
    if (body.size() > mBudget)
        throw RcError(token.where, "macro expansion of " + origin + " is too large");
    mBudget -= body.size();
    active.push_back(token.text);
    for (const Token& t : body)
        expandInto(t, active, out);
    active.pop_back();
}

}  // namespace arxrc
