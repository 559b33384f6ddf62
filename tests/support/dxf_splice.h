// Writes a generated drawing: the host's own new drawing (base, as DXF text) with
// class entries, entities and objects added at the end of their sections. Test
// and benchmark drawings start from what the host writes, so the tables and
// dictionaries are the host's own.
#pragma once
#include <fstream>
#include <string>

namespace arxtest {

inline bool writeSplicedDrawing(std::string base, const std::string& classes, const std::string& entities,
                                const std::string& objects, const std::string& path, std::string& error)
{
    auto insertBefore = [&](const std::string& section, const std::string& text) {
        size_t at = base.find("  2\n" + section + "\n");
        size_t end = base.find("  0\nENDSEC\n", at);
        if (at == std::string::npos || end == std::string::npos) return false;
        base.insert(end, text);
        return true;
    };
    if (!insertBefore("CLASSES", classes) || !insertBefore("ENTITIES", entities) ||
        !insertBefore("OBJECTS", objects)) {
        error = "the host's new drawing lacks a section";
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(base.data(), static_cast<std::streamsize>(base.size()));
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace arxtest
