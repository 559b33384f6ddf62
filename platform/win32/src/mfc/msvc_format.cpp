// The Windows printf dialect over the C library's swprintf, one conversion at a time.
#include "mfc/msvc_format.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <string_view>

#include "core/utf8.h"

namespace win32 {

namespace {

enum class Size { Default, Char, Short, Long, LongLong, Pointer, LongDouble, Wide };

struct Spec {
    std::wstring flags;
    int width = -1;
    int precision = -1;
    bool leftAlign = false;
    Size size = Size::Default;
    wchar_t conversion = 0;
};

void pad(std::wstring& out, std::wstring_view text, const Spec& spec)
{
    std::size_t width = spec.width > 0 ? static_cast<std::size_t>(spec.width) : 0;
    std::size_t fill = width > text.size() ? width - text.size() : 0;
    if (!spec.leftAlign)
        out.append(fill, L' ');
    out.append(text);
    if (spec.leftAlign)
        out.append(fill, L' ');
}

// One numeric conversion through swprintf, with the value already widened to the
// type named in the conversion we pass it.
template <typename T>
void number(std::wstring& out, const Spec& spec, const wchar_t* length, T value)
{
    std::wstring fmt = L"%" + spec.flags + (spec.leftAlign ? L"-" : L"");
    if (spec.width >= 0)
        fmt += std::to_wstring(spec.width);
    if (spec.precision >= 0)
        fmt += L"." + std::to_wstring(spec.precision);
    fmt += length;
    fmt += spec.conversion == L'F' ? L'f' : spec.conversion;
    // Enough for any 64-bit integer and for doubles unless a huge width or precision
    // asks for more; then the buffer grows.
    std::wstring buffer(64, L'\0');
    for (;;) {
        int n = std::swprintf(buffer.data(), buffer.size(), fmt.c_str(), value);
        if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
            return;
        }
        if (buffer.size() > (1u << 24))
            return;  // beyond any sensible field; nothing rather than a partial number
        buffer.resize(buffer.size() * 4);
    }
}

void integer(std::wstring& out, const Spec& spec, va_list& args)
{
    const bool isSigned = spec.conversion == L'd' || spec.conversion == L'i';
    long long value = 0;
    switch (spec.size) {
    case Size::LongLong:
        value = va_arg(args, long long);
        break;
    case Size::Pointer:
        value = static_cast<long long>(va_arg(args, std::intptr_t));
        break;
    default: {
        int v = va_arg(args, int);  // Windows' long is 32 bits, so l changes nothing
        // Each branch widens on its own: a ?: between a signed and an unsigned type
        // would make both unsigned.
        if (spec.size == Size::Short) {
            if (isSigned)
                value = static_cast<short>(v);
            else
                value = static_cast<unsigned short>(v);
        } else if (spec.size == Size::Char) {
            if (isSigned)
                value = static_cast<signed char>(v);
            else
                value = static_cast<unsigned char>(v);
        } else if (isSigned) {
            value = v;
        } else {
            value = static_cast<unsigned int>(v);
        }
        break;
    }
    }
    if (isSigned)
        number(out, spec, L"ll", value);
    else
        number(out, spec, L"ll", static_cast<unsigned long long>(value));
}

void text(std::wstring& out, const Spec& spec, va_list& args)
{
    const bool wantNarrow = spec.size == Size::Short || (spec.size == Size::Default && (spec.conversion == L'S' || spec.conversion == L'C'));
    std::wstring value;
    if (spec.conversion == L'c' || spec.conversion == L'C') {
        int c = va_arg(args, int);
        value.assign(1, wantNarrow ? static_cast<wchar_t>(static_cast<unsigned char>(c)) : static_cast<wchar_t>(c));
    } else if (wantNarrow) {
        const char* s = va_arg(args, const char*);
        value = s ? widen(spec.precision >= 0 ? std::string_view(s, strnlen(s, static_cast<std::size_t>(spec.precision))) : std::string_view(s))
                  : L"(null)";
    } else {
        const wchar_t* s = va_arg(args, const wchar_t*);
        value = s ? std::wstring(s, spec.precision >= 0 ? wcsnlen(s, static_cast<std::size_t>(spec.precision)) : std::wcslen(s))
                  : L"(null)";
    }
    if (spec.precision >= 0 && spec.conversion != L'c' && spec.conversion != L'C' && value.size() > static_cast<std::size_t>(spec.precision))
        value.resize(static_cast<std::size_t>(spec.precision));
    pad(out, value, spec);
}

// Windows prints a pointer as all its hex digits, upper case.
void pointer(std::wstring& out, const Spec& spec, va_list& args)
{
    auto value = reinterpret_cast<std::uintptr_t>(va_arg(args, void*));
    wchar_t digits[2 * sizeof(void*) + 1];
    std::swprintf(digits, std::size(digits), L"%0*llX", static_cast<int>(2 * sizeof(void*)), static_cast<unsigned long long>(value));
    pad(out, digits, spec);
}

// Widths and precisions stop growing at a million characters, so that a format
// cannot overflow them.
int addDigit(int value, wchar_t digit)
{
    constexpr int limit = 1 << 20;
    return value >= limit / 10 ? limit : value * 10 + (digit - L'0');
}

// Reads the flags, width, precision and size after a '%'; false if the text ends before a conversion.
bool parse(const wchar_t*& p, Spec& spec, va_list& args)
{
    for (; *p != L'\0' && std::wcschr(L"-+ #0", *p) != nullptr; ++p) {
        if (*p == L'-')
            spec.leftAlign = true;
        else if (spec.flags.find(*p) == std::wstring::npos)
            spec.flags += *p;
    }
    if (*p == L'*') {
        spec.width = va_arg(args, int);
        if (spec.width < 0) {
            spec.leftAlign = true;
            spec.width = spec.width == INT32_MIN ? 0 : -spec.width;
        }
        if (spec.width > (1 << 20))
            spec.width = 1 << 20;
        ++p;
    } else {
        for (; *p >= L'0' && *p <= L'9'; ++p)
            spec.width = addDigit(spec.width < 0 ? 0 : spec.width, *p);
    }
    if (*p == L'.') {
        ++p;
        spec.precision = 0;
        if (*p == L'*') {
            spec.precision = va_arg(args, int);
            if (spec.precision < 0)
                spec.precision = -1;  // as if none was given
            if (spec.precision > (1 << 20))
                spec.precision = 1 << 20;
            ++p;
        } else {
            for (; *p >= L'0' && *p <= L'9'; ++p)
                spec.precision = addDigit(spec.precision, *p);
        }
    }
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        spec.size = Size::LongLong, p += 3;
    } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
        spec.size = Size::Default, p += 3;
    } else if (p[0] == L'I') {
        spec.size = Size::Pointer, p += 1;
    } else if (p[0] == L'h' && p[1] == L'h') {
        spec.size = Size::Char, p += 2;
    } else if (p[0] == L'l' && p[1] == L'l') {
        spec.size = Size::LongLong, p += 2;
    } else if (*p == L'h') {
        spec.size = Size::Short, ++p;
    } else if (*p == L'l' || *p == L'w') {
        spec.size = Size::Long, ++p;
    } else if (*p == L'L') {
        spec.size = Size::LongDouble, ++p;
    } else if (*p == L'z' || *p == L't' || *p == L'j') {
        spec.size = Size::Pointer, ++p;
    }
    if (*p == L'\0')
        return false;
    spec.conversion = *p++;
    return true;
}

}  // namespace

std::wstring formatMsvc(const wchar_t* format, va_list args)
{
    std::wstring out;
    if (format == nullptr)
        return out;
    va_list ap;
    va_copy(ap, args);
    for (const wchar_t* p = format; *p != L'\0';) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        Spec spec;
        if (!parse(p, spec, ap)) {
            out.append(start);
            break;
        }
        switch (spec.conversion) {
        case L'd': case L'i': case L'u': case L'o': case L'x': case L'X':
            integer(out, spec, ap);
            break;
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G': case L'a': case L'A':
            if (spec.size == Size::LongDouble)
                number(out, spec, L"L", va_arg(ap, long double));
            else
                number(out, spec, L"", va_arg(ap, double));
            break;
        case L'c': case L'C': case L's': case L'S':
            text(out, spec, ap);
            break;
        case L'p':
            pointer(out, spec, ap);
            break;
        case L'n':
            (void)va_arg(ap, void*);
            break;
        default:
            out.append(start, p);
            break;
        }
    }
    va_end(ap);
    return out;
}

}  // namespace win32
