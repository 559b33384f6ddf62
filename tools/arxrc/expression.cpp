// Recursive descent over C's precedence levels. Arithmetic wraps at 32 bits as
// unsigned values do; division, remainder and comparisons treat values as signed,
// and dividing by zero is an error, not undefined behaviour.
#include "expression.h"

#include <climits>

#include "rc_limits.h"

namespace arxrc {

namespace {

class Evaluator {
public:
    Evaluator(TokenSource& in, UnknownNames unknown) : mIn(in), mUnknown(unknown) {}

    std::uint32_t logicalOr()
    {
        std::uint32_t v = logicalAnd();
        while (mIn.peek().isPunct("||")) {
            mIn.next();
            std::uint32_t r = logicalAnd();
            v = (v != 0 || r != 0) ? 1 : 0;
        }
        return v;
    }

    std::uint32_t bitXor()
    {
        std::uint32_t v = bitAnd();
        while (mIn.peek().isPunct("^")) {
            mIn.next();
            v ^= bitAnd();
        }
        return v;
    }

    std::uint32_t unary()
    {
        Depth depth(*this);
        Token t = mIn.next();
        if (t.isPunct("-"))
            return 0u - unary();
        if (t.isPunct("+"))
            return unary();
        if (t.isPunct("~") || t.isWord("NOT"))
            return ~unary();
        if (t.isPunct("!"))
            return unary() == 0 ? 1 : 0;
        if (t.isPunct("(")) {
            std::uint32_t v = logicalOr();
            Token close = mIn.next();
            if (!close.isPunct(")"))
                throw RcError(close.where, "expected ')' but found " + close.describe());
            return v;
        }
        if (t.kind == Token::Kind::Number)
            return t.value;
        if (t.kind == Token::Kind::Identifier) {
            if (mUnknown == UnknownNames::Zero)
                return 0;
            throw RcError(t.where, "undefined name '" + t.text + "'");
        }
        throw RcError(t.where, "expected a number but found " + t.describe());
    }

private:
    struct Depth {
        explicit Depth(Evaluator& e) : e(e)
        {
            if (++e.mDepth > limits::kExpressionDepth)
                throw RcError(e.mIn.peek().where, "expression nested too deeply");
        }
        ~Depth() { --e.mDepth; }
        Evaluator& e;
    };

    std::uint32_t logicalAnd()
    {
        std::uint32_t v = bitOr();
        while (mIn.peek().isPunct("&&")) {
            mIn.next();
            std::uint32_t r = bitOr();
            v = (v != 0 && r != 0) ? 1 : 0;
        }
        return v;
    }

    std::uint32_t bitOr()
    {
        std::uint32_t v = bitXor();
        while (mIn.peek().isPunct("|")) {
            mIn.next();
            v |= bitXor();
        }
        return v;
    }

    std::uint32_t bitAnd()
    {
        std::uint32_t v = equality();
        while (mIn.peek().isPunct("&")) {
            mIn.next();
            v &= equality();
        }
        return v;
    }

    std::uint32_t equality()
    {
        std::uint32_t v = relational();
        for (;;) {
            if (mIn.peek().isPunct("==")) {
                mIn.next();
                v = v == relational() ? 1 : 0;
            } else if (mIn.peek().isPunct("!=")) {
                mIn.next();
                v = v != relational() ? 1 : 0;
            } else {
                return v;
            }
        }
    }

    std::uint32_t relational()
    {
        std::uint32_t v = shift();
        for (;;) {
            const Token& t = mIn.peek();
            if (!(t.isPunct("<") || t.isPunct(">") || t.isPunct("<=") || t.isPunct(">=")))
                return v;
            std::string op = mIn.next().text;
            auto a = static_cast<std::int32_t>(v);
            auto b = static_cast<std::int32_t>(shift());
            v = op == "<" ? a < b : op == ">" ? a > b : op == "<=" ? a <= b : a >= b;
        }
    }

    std::uint32_t shift()
    {
        std::uint32_t v = additive();
        for (;;) {
            if (mIn.peek().isPunct("<<")) {
                mIn.next();
                std::uint32_t n = additive();
                v = n >= 32 ? 0 : v << n;
            } else if (mIn.peek().isPunct(">>")) {
                mIn.next();
                std::uint32_t n = additive();
                v = n >= 32 ? 0 : v >> n;
            } else {
                return v;
            }
        }
    }

    std::uint32_t additive()
    {
        std::uint32_t v = multiplicative();
        for (;;) {
            if (mIn.peek().isPunct("+")) {
                mIn.next();
                v += multiplicative();
            } else if (mIn.peek().isPunct("-")) {
                mIn.next();
                v -= multiplicative();
            } else {
                return v;
            }
        }
    }

    std::uint32_t multiplicative()
    {
        std::uint32_t v = unary();
        for (;;) {
            const Token& t = mIn.peek();
            if (t.isPunct("*")) {
                mIn.next();
                v *= unary();
                continue;
            }
            if (!(t.isPunct("/") || t.isPunct("%")))
                return v;
            Token op = mIn.next();
            auto a = static_cast<std::int32_t>(v);
            auto b = static_cast<std::int32_t>(unary());
            if (b == 0)
                throw RcError(op.where, "division by zero");
            if (a == INT32_MIN && b == -1)
                v = op.text == "/" ? static_cast<std::uint32_t>(a) : 0;  // the one quotient that overflows
            else
                v = static_cast<std::uint32_t>(op.text == "/" ? a / b : a % b);
        }
    }

    TokenSource& mIn;
    UnknownNames mUnknown;
    int mDepth = 0;
};

}  // namespace

std::uint32_t evaluate(TokenSource& in, UnknownNames unknown)
{
    Evaluator e(in, unknown);
    return e.logicalOr();
}

std::uint32_t evaluateStyle(TokenSource& in, std::uint32_t defaultStyle)
{
    Evaluator e(in, UnknownNames::Error);
    std::uint32_t style = defaultStyle;
    for (;;) {
        if (in.peek().isWord("NOT")) {
            in.next();
            style &= ~e.unary();
        } else {
            style |= e.bitXor();
        }
        if (!in.peek().isPunct("|"))
            return style;
        in.next();
    }
}

}  // namespace arxrc
