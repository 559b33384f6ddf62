// Lets GoogleTest show a CString's text when an expectation on it fails.
#pragma once
#include <ostream>

#include "afxstr.h"

inline void PrintTo(const CString& s, std::ostream* os)
{
    *os << 'L' << '"';
    for (int i = 0; i < s.GetLength(); ++i) {
        auto c = static_cast<unsigned long>(s[i]);
        if (c >= 0x20 && c < 0x7F)
            *os << static_cast<char>(c);
        else
            *os << "\\x{" << std::hex << c << std::dec << '}';
    }
    *os << '"';
}
