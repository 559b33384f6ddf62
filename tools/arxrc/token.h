// The tokens of a resource script.
#pragma once
#include <cstdint>
#include <string>

#include "diagnostic.h"

namespace arxrc {

struct Token {
    enum class Kind { Identifier, Number, String, Punct, End };
    Kind kind = Kind::End;
    std::string text;     // identifier or punctuator as written
    std::uint32_t value = 0;  // Number
    std::wstring str;     // String, escapes resolved
    Location where;

    bool is(Kind k, const char* t) const { return kind == k && text == t; }
    bool isPunct(const char* p) const { return is(Kind::Punct, p); }
    bool isWord(const char* w) const { return is(Kind::Identifier, w); }
    std::string describe() const;
};

}  // namespace arxrc
