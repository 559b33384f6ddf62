// Numbers to and from DXF text with std::to_chars and std::from_chars, which
// neither depend on the locale nor allocate; see numtext.h for the form.
#include "numtext.h"

#include <charconv>
#include <cmath>

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

bool parseDouble(std::string_view text, double& v)
{
    text = trimSpaces(text);
    if (text.empty()) return false;
    const char* b = text.data();
    const char* e = b + text.size();
    if (*b == '+') ++b;
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
