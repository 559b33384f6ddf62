// One record of a DXF file: the groups from a "0" group up to the next one. Values
// are copied out of the read buffer into the record's own storage; binary chunks
// are decoded on the way, so that every later step sees bytes, not hexadecimal.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace arx {

struct DxfTag {
    std::int16_t code;
    bool binary;
    std::uint32_t offset;
    std::uint32_t length;
    std::uint64_t line;  // line of the group code in the file
};

class DxfRecord {
public:
    void clear()
    {
        mArena.clear();
        mTags.clear();
    }
    void addText(int code, std::string_view value, std::uint64_t line)
    {
        mTags.push_back(DxfTag{static_cast<std::int16_t>(code), false, static_cast<std::uint32_t>(mArena.size()),
                               static_cast<std::uint32_t>(value.size()), line});
        mArena.append(value);
    }
    void addBinary(int code, std::string_view bytes, std::uint64_t line)
    {
        mTags.push_back(DxfTag{static_cast<std::int16_t>(code), true, static_cast<std::uint32_t>(mArena.size()),
                               static_cast<std::uint32_t>(bytes.size()), line});
        mArena.append(bytes);
    }
    // Decodes hexadecimal text into the record; false when it is not hexadecimal.
    bool addHex(int code, std::string_view hex, std::uint64_t line);

    size_t size() const { return mTags.size(); }
    bool empty() const { return mTags.empty(); }
    const DxfTag& tag(size_t i) const { return mTags[i]; }
    std::string_view value(size_t i) const { return std::string_view(mArena).substr(mTags[i].offset, mTags[i].length); }
    std::uint64_t firstLine() const { return mTags.empty() ? 0 : mTags.front().line; }
    size_t arenaSize() const { return mArena.size(); }

private:
    std::string mArena;
    std::vector<DxfTag> mTags;
};

}  // namespace arx
