// Numbers to and from DXF text with std::to_chars and std::from_chars, which
// neither depend on the locale nor allocate; see numtext.h for the form.
#include "numtext.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace arx {

std::string_view trimSpaces(std::string_view t)
{
    size_t b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t' || t[b] == '\r')) ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t' || t[e - 1] == '\r')) --e;
    return t.substr(b, e - b);
}

void appendDouble(std::string& out, double v, int precision)
{
    char buf[64];
    if (!std::isfinite(v)) v = 0;  // DXF has no text for these
    if (v == 0) v = 0;              // no "-0.0"
    std::to_chars_result r = precision > 0 && precision <= 17
                                 ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision)
                                 : std::to_chars(buf, buf + sizeof buf, v);
    std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
    out.append(s);
    if (s.find_first_of(".eEn") == std::string_view::npos) out.append(".0");
}

void appendInt(std::string& out, std::int64_t v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, static_cast<size_t>(r.ptr - buf));
}

void appendUInt(std::string& out, std::uint64_t v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, static_cast<size_t>(r.ptr - buf));
}

namespace {

// Plain decimals ("-12.375", "0.0"), which are most of a drawing's numbers,
// with at most 15 digits: the digits as an integer and the power of ten are
// both exact doubles, so one division gives the correctly rounded value,
// the same as from_chars. Anything else is left to from_chars.
bool parsePlainDecimal(const char* b, const char* e, double& v)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = b < e && *b == '-';
    if (negative) ++b;
    std::uint64_t digits = 0;
    int count = 0, fraction = 0;
    const char* p = b;
    for (; p < e && *p >= '0' && *p <= '9'; ++p, ++count) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    if (count == 0 || count > 15) return false;
    if (p < e) {
        if (*p != '.' || ++p == e) return false;
        for (; p < e && *p >= '0' && *p <= '9'; ++p, ++count, ++fraction)
            digits = digits * 10 + static_cast<unsigned>(*p - '0');
        if (p != e || fraction == 0 || count > 15) return false;
    }
    const double value = static_cast<double>(digits) / kPowersOfTen[fraction];
    v = negative ? -value : value;
    return true;
}

}  // namespace

bool parseDouble(std::string_view text, double& v)
{
    text = trimSpaces(text);
    if (text.empty()) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
    if (parsePlainDecimal(b, e, v)) return true;
    auto r = std::from_chars(b, e, v);
    if (r.ec != std::errc() || r.ptr != e) return false;
    return std::isfinite(v);
}

bool parseInt(std::string_view text, std::int64_t& v)
{
    text = trimSpaces(text);
    if (text.empty()) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
    auto r = std::from_chars(b, e, v);
    return r.ec == std::errc() && r.ptr == e;
}

}  // namespace arx
