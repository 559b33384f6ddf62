// DXF group lines as text, and the caret notation of control characters in
// values; see dxf_text.h.
#include "dxf_text.h"

#include "../core/hex.h"
#include "../core/numtext.h"
#include "../core/tags.h"
#include "../core/utf.h"

namespace arx {

void DxfText::code(int c)
{
    char buf[16];
    int n = 0;
    char digits[12];
    unsigned v = static_cast<unsigned>(c < 0 ? -c : c);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (c < 0) digits[n++] = '-';
    int pad = n < 3 ? 3 - n : 0;
    int k = 0;
    for (int i = 0; i < pad; ++i) buf[k++] = ' ';
    for (int i = n - 1; i >= 0; --i) buf[k++] = digits[i];
    buf[k++] = '\n';
    mOut.append(buf, static_cast<size_t>(k));
}

void DxfText::text(int c, std::string_view v)
{
    code(c);
    mOut.append(v);
    mOut.push_back('\n');
}

void DxfText::wide(int c, std::wstring_view v)
{
    code(c);
    appendDxfString(mOut, v);
    mOut.push_back('\n');
}

void DxfText::integer(int c, std::int64_t v)
{
    code(c);
    appendInt(mOut, v);
    mOut.push_back('\n');
}

void DxfText::real(int c, double v, int precision)
{
    code(c);
    appendDouble(mOut, v, precision);
    mOut.push_back('\n');
}

void DxfText::point(int c, double x, double y, double z, bool withZ, int precision)
{
    real(c, x, precision);
    real(c + 10, y, precision);
    if (withZ) real(c + 20, z, precision);
}

void DxfText::handle(int c, std::uint64_t h)
{
    code(c);
    char buf[20];
    size_t n = formatHexHandle(h, buf);
    mOut.append(buf, n);
    mOut.push_back('\n');
}

void DxfText::binary(int c, const void* data, size_t len)
{
    code(c);
    appendHex(mOut, data, len);
    mOut.push_back('\n');
}

void appendDxfString(std::string& out, std::wstring_view value)
{
    size_t start = out.size();
    appendUtf8(out, value);
    // Only rewrite when needed: most values have no control characters or carets.
    bool needs = false;
    for (size_t i = start; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x20 || c == '^') {
            needs = true;
            break;
        }
    }
    if (!needs) return;
    std::string raw = out.substr(start);
    out.resize(start);
    for (char ch : raw) {
        auto c = static_cast<unsigned char>(ch);
        if (c == '^') {
            out.append("^ ");
        } else if (c < 0x20) {
            out.push_back('^');
            out.push_back(static_cast<char>(c + 64));
        } else {
            out.push_back(ch);
        }
    }
}

std::wstring decodeDxfString(std::string_view v)
{
    std::wstring out;
    decodeDxfString(v, out);
    return out;
}

void decodeDxfString(std::string_view v, std::wstring& out)
{
    if (v.find('^') == std::string_view::npos) return fromUtf8(v, out);
    std::string raw;
    raw.reserve(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '^' && i + 1 < v.size()) {
            char n = v[i + 1];
            if (n == ' ') {
                raw.push_back('^');
                ++i;
                continue;
            }
            if (n >= '@' && n <= '_') {
                raw.push_back(static_cast<char>(n - 64));
                ++i;
                continue;
            }
        }
        raw.push_back(v[i]);
    }
    fromUtf8(raw, out);
}

void writeTagStore(DxfText& out, std::string_view store)
{
    TagCursor cursor(store);
    Tag t;
    while (cursor.next(t)) {
        if (t.kind == TagKind::Binary)
            out.binary(t.code, t.value.data(), t.value.size());
        else
            out.text(t.code, t.value);
    }
}

}  // namespace arx
