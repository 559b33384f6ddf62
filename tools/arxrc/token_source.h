// A stream of tokens the parser and the expression evaluator read from: a script's
// body (TokenStream) or one directive line (VectorSource).
#pragma once
#include <vector>

#include "token.h"

namespace arxrc {

class TokenSource {
public:
    virtual ~TokenSource() = default;
    // The next token without taking it; Kind::End at the end.
    virtual const Token& peek() = 0;
    virtual Token next() = 0;
};

class VectorSource : public TokenSource {
public:
    VectorSource(std::vector<Token> tokens, Location end) : mTokens(std::move(tokens))
    {
        mEnd.where = std::move(end);
    }
    const Token& peek() override { return mPos < mTokens.size() ? mTokens[mPos] : mEnd; }
    Token next() override { return mPos < mTokens.size() ? mTokens[mPos++] : mEnd; }

private:
    std::vector<Token> mTokens;
    std::size_t mPos = 0;
    Token mEnd;
};

}  // namespace arxrc
