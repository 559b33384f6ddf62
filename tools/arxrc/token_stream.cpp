// Buffered, expanded tokens of the script body.
#include "token_stream.h"

#include "lexer.h"

namespace arxrc {

bool TokenStream::fill(std::size_t count)
{
    while (mBuffered.size() < count) {
        LogicalLine line;
        if (!mPre.nextLine(line))
            return false;
        mLast = line.where;
        for (Token& t : mMacros.expand(lexLine(line.text, line.where)))
            mBuffered.push_back(std::move(t));
    }
    return true;
}

const Token& TokenStream::peek(std::size_t ahead)
{
    if (!fill(ahead + 1)) {
        mEnd.where = mLast;
        return mEnd;
    }
    return mBuffered[ahead];
}

Token TokenStream::next()
{
    const Token& t = peek(0);
    if (t.kind == Token::Kind::End)
        return t;
    Token taken = std::move(mBuffered.front());
    mBuffered.pop_front();
    return taken;
}

}  // namespace arxrc
