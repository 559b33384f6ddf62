// The tokens of a script's body: lines from the preprocessor, lexed, with macros
// expanded, read with any lookahead the parser needs.
#pragma once
#include <deque>

#include "macros.h"
#include "preprocessor.h"
#include "token_source.h"

namespace arxrc {

class TokenStream : public TokenSource {
public:
    TokenStream(Preprocessor& pre, MacroTable& macros) : mPre(pre), mMacros(macros) {}
    const Token& peek() override { return peek(0); }
    const Token& peek(std::size_t ahead);
    Token next() override;

private:
    bool fill(std::size_t count);

    Preprocessor& mPre;
    MacroTable& mMacros;
    std::deque<Token> mBuffered;
    Token mEnd;
    Location mLast;
};

}  // namespace arxrc
