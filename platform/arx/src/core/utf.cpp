// UTF-8 decoding by hand rather than through a locale: invalid sequences,
// overlong forms and surrogates fall back to Latin-1 byte by byte, as utf.h
// promises, and encoding appends to a caller's buffer without copies.
#include "utf.h"

namespace arx {

void fromUtf8(std::string_view s, std::wstring& out)
{
    // Most texts of a drawing are ASCII: those are copied in one pass into the
    // buffer out already has.
    const size_t n = s.size();
    out.resize(n);
    size_t i = 0;
    for (wchar_t* d = out.data(); i < n && static_cast<unsigned char>(s[i]) < 0x80; ++i) d[i] = static_cast<wchar_t>(s[i]);
    if (i == n) return;
    out.resize(i);
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++i;
            continue;
        }
        size_t extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 && c < 0xF0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
        char32_t cp = 0;
        bool ok = extra > 0 && i + extra < n;
        if (ok) {
            cp = c & (0x3F >> extra);
            for (size_t k = 1; k <= extra; ++k) {
                unsigned char cc = static_cast<unsigned char>(s[i + k]);
                if ((cc & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (cc & 0x3F);
            }
        }
        // Overlong forms and surrogates are not UTF-8.
        if (ok && extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (ok && extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ok = false;
        if (ok) {
            out.push_back(static_cast<wchar_t>(cp));
            i += extra + 1;
        } else {
            out.push_back(static_cast<wchar_t>(c));  // Latin-1 fallback
            ++i;
        }
    }
}

bool equalsUtf8(std::string_view utf8, std::wstring_view text)
{
    size_t i = 0;
    for (; i < utf8.size() && static_cast<unsigned char>(utf8[i]) < 0x80; ++i)
        if (i >= text.size() || static_cast<wchar_t>(utf8[i]) != text[i]) return false;
    if (i == utf8.size()) return i == text.size();
    return fromUtf8(utf8) == text;
}

std::wstring fromUtf8(std::string_view s)
{
    std::wstring out;
    fromUtf8(s, out);
    return out;
}

void appendUtf8(std::string& out, std::wstring_view text)
{
    for (wchar_t wc : text) {
        auto cp = static_cast<char32_t>(wc);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp <= 0x10FFFF) {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.append("\xEF\xBF\xBD");
        }
    }
}

std::string toUtf8(std::wstring_view text)
{
    std::string out;
    out.reserve(text.size());
    appendUtf8(out, text);
    return out;
}

std::wstring upperAscii(std::wstring_view text)
{
    std::wstring out(text);
    for (auto& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return out;
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'a' && x <= L'z') x = static_cast<wchar_t>(x - 32);
        if (y >= L'a' && y <= L'z') y = static_cast<wchar_t>(y - 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace arx
