// A compact store of DXF groups kept as they were read: what the host does not
// understand (proxies, unknown groups, extended data, header variables, xrecord
// values) lives in one of these and is written back unchanged. Text values keep
// their exact characters; binary chunks are kept decoded, half the size of their
// hexadecimal text.
//
// Encoding, repeated: int16 group code, uint8 kind, uint32 length, the bytes.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace arx {

enum class TagKind : std::uint8_t { Text = 0, Binary = 1 };

struct Tag {
    int code = 0;
    TagKind kind = TagKind::Text;
    std::string_view value;
};

inline void addTag(std::string& store, int code, TagKind kind, std::string_view value)
{
    size_t at = store.size();
    store.resize(at + 7 + value.size());
    char* p = store.data() + at;
    auto c = static_cast<std::int16_t>(code);
    auto len = static_cast<std::uint32_t>(value.size());
    std::memcpy(p, &c, 2);
    p[2] = static_cast<char>(kind);
    std::memcpy(p + 3, &len, 4);
    if (!value.empty()) std::memcpy(p + 7, value.data(), value.size());
}
inline void addText(std::string& store, int code, std::string_view text) { addTag(store, code, TagKind::Text, text); }
inline void addBinary(std::string& store, int code, std::string_view bytes)
{
    addTag(store, code, TagKind::Binary, bytes);
}

// Walks a store. A store that came from outside is checked with isValidTagStore
// before it is walked.
class TagCursor {
public:
    explicit TagCursor(std::string_view store) : mData(store) {}
    bool next(Tag& tag)
    {
        if (mPos + 7 > mData.size()) return false;
        std::int16_t c;
        std::uint32_t len;
        std::memcpy(&c, mData.data() + mPos, 2);
        std::memcpy(&len, mData.data() + mPos + 3, 4);
        if (len > mData.size() - mPos - 7) return false;
        tag.code = c;
        tag.kind = static_cast<TagKind>(mData[mPos + 2]);
        tag.value = mData.substr(mPos + 7, len);
        mPos += 7 + len;
        return true;
    }
    size_t position() const { return mPos; }

private:
    std::string_view mData;
    size_t mPos = 0;
};

bool isValidTagStore(std::string_view store);
size_t countTags(std::string_view store);

}  // namespace arx
