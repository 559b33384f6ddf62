// DXF as text: DxfText appends group lines (the code right-aligned in three
// columns, then the value) to a buffer, for the DXF filer and for the parts of
// a file the writer writes itself. Texts are UTF-8 with control characters in
// caret notation ("^J"), since a value must stay on its line.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace arx {

// Appends DXF group lines to a buffer.
class DxfText {
public:
    explicit DxfText(std::string& out) : mOut(out) {}
    void code(int code);
    void text(int code, std::string_view utf8Value);
    void wide(int code, std::wstring_view value);
    void integer(int code, std::int64_t v);
    void real(int code, double v, int precision = -1);
    void point(int code, double x, double y, double z, bool withZ = true, int precision = -1);
    void handle(int code, std::uint64_t h);
    void binary(int code, const void* data, size_t len);
    std::string& out() { return mOut; }

private:
    std::string& mOut;
};

// Text of a DXF string value: control characters in caret notation.
void appendDxfString(std::string& out, std::wstring_view value);
// The inverse, for strings the host parses (kept text stays as it was).
std::wstring decodeDxfString(std::string_view utf8Value);
// The same into a buffer that keeps its room between calls.
void decodeDxfString(std::string_view utf8Value, std::wstring& out);
// Writes a tag store: texts as they are, binary chunks as hexadecimal.
void writeTagStore(DxfText& out, std::string_view store);

}  // namespace arx
