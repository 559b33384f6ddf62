// Case mapping through glibc's built-in C.UTF-8 locale, which knows all of Unicode,
// rather than the process's locale, which a program may leave as "C" (ASCII only).
#include "core/wide_case.h"

#include <clocale>
#include <cstdio>
#include <cwctype>
#include <locale.h>

namespace win32 {

namespace {

locale_t unicodeLocale()
{
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (l == static_cast<locale_t>(0)) {
            // Not silent: without it only ASCII letters change case.
            std::fprintf(stderr, "win32: the C.UTF-8 locale is missing; case mapping covers ASCII only\n");
        }
        return l;
    }();
    return loc;
}

}  // namespace

wchar_t upperCase(wchar_t c)
{
    locale_t l = unicodeLocale();
    if (l == static_cast<locale_t>(0))
        return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
    return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), l));
}

wchar_t lowerCase(wchar_t c)
{
    locale_t l = unicodeLocale();
    if (l == static_cast<locale_t>(0))
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    return static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), l));
}

}  // namespace win32
