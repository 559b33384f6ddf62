// Helpers shared by the host's conformance tests: adding entities to a
// drawing, opening objects for the length of a scope, files as text, a look at
// the groups of a DXF file, and records spliced into one.
#pragma once
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arxHeaders.h"
#include "arxhost/runtime.h"

namespace arxtest {

// An object opened for as long as the scope lasts.
template <class T>
class Opened {
public:
    Opened(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false)
    {
        es = acdbOpenObject(ptr, id, mode, openErased);
    }
    ~Opened()
    {
        if (ptr != nullptr) ptr->close();
    }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    T* operator->() const { return ptr; }
    T* get() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }
    T* ptr = nullptr;
    Acad::ErrorStatus es = Acad::eOk;
};

inline AcDbObjectId appendTo(AcDbObjectId blockId, AcDbEntity* ent)
{
    AcDbObjectId id;
    AcDbBlockTableRecord* block = nullptr;
    EXPECT_EQ(acdbOpenObject(block, blockId, AcDb::kForWrite), Acad::eOk);
    if (block == nullptr) {
        delete ent;
        return id;
    }
    EXPECT_EQ(block->appendAcDbEntity(id, ent), Acad::eOk);
    ent->close();
    block->close();
    return id;
}

inline AcDbObjectId appendToModelSpace(AcDbDatabase& db, AcDbEntity* ent)
{
    return appendTo(db.modelSpaceId(), ent);
}

inline AcDbObjectId addLine(AcDbDatabase& db, AcGePoint3d a = {0, 0, 0}, AcGePoint3d b = {1, 1, 0})
{
    return appendToModelSpace(db, new AcDbLine(a, b));
}

inline std::string readText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream f(path, std::ios::binary);
    f << text;
}

inline std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Saves as DXF (by the ".dxf" extension) or as a binary drawing (".dwg").
inline void save(AcDbDatabase& db, const std::string& path)
{
    ASSERT_EQ(arxhost::saveDrawing(&db, wide(path)), Acad::eOk) << arxhost::lastError();
}

inline void open(AcDbDatabase& db, const std::string& path)
{
    ASSERT_EQ(arxhost::openDrawing(&db, wide(path)), Acad::eOk) << arxhost::lastError();
}

// The (code, value) groups of a DXF text, values without their line ends.
inline std::vector<std::pair<int, std::string>> groups(const std::string& dxf)
{
    std::vector<std::pair<int, std::string>> out;
    std::istringstream in(dxf);
    std::string code, value;
    while (std::getline(in, code) && std::getline(in, value)) {
        if (!value.empty() && value.back() == '\r') value.pop_back();
        out.emplace_back(std::stoi(code), value);
    }
    return out;
}

// The groups of the first record of a type whose handle (group 5) is given, or
// of the first record of that type when handle is empty.
inline std::vector<std::pair<int, std::string>> record(const std::string& dxf, const std::string& type,
                                                       const std::string& handle = "")
{
    auto all = groups(dxf);
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].first != 0 || all[i].second != type) continue;
        size_t end = i + 1;
        while (end < all.size() && all[end].first != 0) ++end;
        std::vector<std::pair<int, std::string>> rec(all.begin() + static_cast<long>(i), all.begin() + static_cast<long>(end));
        if (handle.empty()) return rec;
        for (const auto& g : rec)
            if ((g.first == 5 || g.first == 105) && g.second == handle) return rec;
    }
    return {};
}

inline bool hasGroup(const std::vector<std::pair<int, std::string>>& rec, int code, const std::string& value)
{
    for (const auto& g : rec)
        if (g.first == code && g.second == value) return true;
    return false;
}

// A DXF drawing of the host with records spliced in: at the end of its HEADER,
// CLASSES, ENTITIES and OBJECTS sections, and whole sections before EOF.
inline std::string splice(const std::string& dxf, const std::string& classes, const std::string& entities,
                          const std::string& objects, const std::string& header = "", const std::string& sections = "")
{
    std::string out = dxf;
    auto insertBefore = [&](const std::string& section, const std::string& text) {
        size_t at = out.find("  2\n" + section + "\n");
        EXPECT_NE(at, std::string::npos) << section;
        size_t end = out.find("  0\nENDSEC\n", at);
        out.insert(end, text);
    };
    if (!header.empty()) insertBefore("HEADER", header);
    if (!classes.empty()) insertBefore("CLASSES", classes);
    if (!entities.empty()) insertBefore("ENTITIES", entities);
    if (!objects.empty()) insertBefore("OBJECTS", objects);
    if (!sections.empty()) out.insert(out.rfind("  0\nEOF\n"), sections);
    return out;
}

inline std::string handleOf(AcDbObjectId id)
{
    ACHAR buf[17];
    id.handle().getIntoAsciiBuffer(buf);
    return AcString(buf).utf8();
}

}  // namespace arxtest
