// The lexer. Strings are UTF-8 in the file and become wide text here; a string must
// end on its line, and escapes the compiler does not know are errors rather than
// guesses.
#include "lexer.h"

#include <cctype>

#include "rc_limits.h"

namespace arxrc {

std::string Token::describe() const
{
    switch (kind) {
    case Kind::Identifier:
    case Kind::Punct:
        return "'" + text + "'";
    case Kind::Number:
        return "number " + std::to_string(value);
    case Kind::String:
        return "a string";
    case Kind::End:
        break;
    }
    return "the end of the script";
}

namespace {

bool isIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool isIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One UTF-8 sequence starting at s[i]; advances i past it.
char32_t decodeUtf8(const std::string& s, std::size_t& i, const Location& where)
{
    auto c = static_cast<unsigned char>(s[i]);
    int need = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    char32_t cp = need == 0 ? c : need == 1 ? (c & 0x1F) : need == 2 ? (c & 0x0F) : (c & 0x07);
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (need < 0 || i + static_cast<std::size_t>(need) >= s.size())
        throw RcError(where, "the string is not valid UTF-8");
    for (int k = 1; k <= need; ++k) {
        auto cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((cc & 0xC0) != 0x80)
            throw RcError(where, "the string is not valid UTF-8");
        cp = (cp << 6) | (cc & 0x3F);
    }
    if (cp < minimum[need] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        throw RcError(where, "the string is not valid UTF-8");
    i += static_cast<std::size_t>(need) + 1;
    return cp;
}

Token lexString(const std::string& s, std::size_t& i, bool wide, const Location& where)
{
    Token t{Token::Kind::String, {}, 0, {}, where};
    ++i;  // the opening quote
    for (;;) {
        if (i >= s.size())
            throw RcError(where, "unterminated string");
        char c = s[i];
        if (c == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {  // "" stands for one quote
                t.str += L'"';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        if (c == '\\') {
            if (i + 1 >= s.size())
                throw RcError(where, "unterminated string");
            char e = s[i + 1];
            i += 2;
            switch (e) {
            case 'n': t.str += L'\n'; break;
            case 't': t.str += L'\t'; break;
            case 'r': t.str += L'\r'; break;
            case 'a': t.str += L'\a'; break;
            case '\\': t.str += L'\\'; break;
            case '"': t.str += L'"'; break;
            case '\'': t.str += L'\''; break;
            case 'x': {
                // Two hex digits in a narrow string, four in a wide one.
                int maxDigits = wide ? 4 : 2;
                unsigned value = 0;
                int digits = 0;
                for (; digits < maxDigits && i < s.size() && hexValue(s[i]) >= 0; ++digits, ++i)
                    value = value * 16 + static_cast<unsigned>(hexValue(s[i]));
                if (digits == 0)
                    throw RcError(where, "\\x needs hex digits");
                t.str += static_cast<wchar_t>(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    unsigned value = static_cast<unsigned>(e - '0');
                    for (int k = 0; k < 2 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++k, ++i)
                        value = value * 8 + static_cast<unsigned>(s[i] - '0');
                    t.str += static_cast<wchar_t>(value);
                    break;
                }
                throw RcError(where, std::string("unknown escape sequence '\\") + e + "' in string");
            }
        } else {
            t.str += static_cast<wchar_t>(decodeUtf8(s, i, where));
        }
        if (t.str.size() > limits::kStringLength)
            throw RcError(where, "string longer than " + std::to_string(limits::kStringLength) + " characters");
    }
    return t;
}

Token lexNumber(const std::string& s, std::size_t& i, const Location& where)
{
    std::size_t start = i;
    unsigned base = 10;
    if (s[i] == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (s[i] == '0') {
        base = 8;
    }
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; i < s.size(); ++i, ++digits) {
        int d = hexValue(s[i]);
        if (d < 0 || static_cast<unsigned>(d) >= base) {
            if (d >= 0 && base != 16 && s[i] >= '0' && s[i] <= '9')
                throw RcError(where, "'" + s.substr(start, i - start + 1) + "' is not an octal number");
            break;
        }
        value = value * base + static_cast<unsigned>(d);
        if (value > 0xFFFFFFFFu)
            throw RcError(where, "number '" + s.substr(start, i - start + 1) + "...' does not fit in 32 bits");
    }
    if (base == 16 && digits == 0)
        throw RcError(where, "'0x' needs hex digits");
    while (i < s.size() && (s[i] == 'L' || s[i] == 'l' || s[i] == 'U' || s[i] == 'u'))
        ++i;
    if (i < s.size() && isIdentChar(s[i]))
        throw RcError(where, "bad number '" + s.substr(start, i - start + 1) + "'");
    Token t{Token::Kind::Number, s.substr(start, i - start), static_cast<std::uint32_t>(value), {}, where};
    return t;
}

}  // namespace

std::vector<Token> lexLine(const std::string& s, const Location& where)
{
    static const char* const twoChar[] = {"<=", ">=", "==", "!=", "&&", "||", "<<", ">>"};
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\r') {
            ++i;
        } else if ((c == 'L' || c == 'l') && i + 1 < s.size() && s[i + 1] == '"') {
            ++i;
            tokens.push_back(lexString(s, i, true, where));
        } else if (c == '"') {
            tokens.push_back(lexString(s, i, false, where));
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            tokens.push_back(lexNumber(s, i, where));
        } else if (isIdentStart(c)) {
            std::size_t start = i;
            while (i < s.size() && isIdentChar(s[i]))
                ++i;
            tokens.push_back({Token::Kind::Identifier, s.substr(start, i - start), 0, {}, where});
        } else {
            std::string p(1, c);
            for (const char* two : twoChar) {
                if (s.compare(i, 2, two) == 0)
                    p = two;
            }
            if (p.size() == 1 && std::string(",|&^()+-*/%~!<>{}").find(c) == std::string::npos) {
                std::string shown = static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F
                                        ? std::string(1, c)
                                        : "\\x" + std::string(1, "0123456789ABCDEF"[(c >> 4) & 15]) + "0123456789ABCDEF"[c & 15];
                throw RcError(where, "unexpected character '" + shown + "'");
            }
            i += p.size();
            tokens.push_back({Token::Kind::Punct, p, 0, {}, where});
        }
    }
    return tokens;
}

}  // namespace arxrc
