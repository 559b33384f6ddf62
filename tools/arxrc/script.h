// What a resource script describes, checked and ready to be written out: the string
// table, the dialog templates and the resources whose data comes from files.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "diagnostic.h"

namespace arxrc {

// A resource type or name: an integer id, or a name kept in upper case as Windows
// keeps resource names.
struct ResourceName {
    bool isText = false;
    std::uint16_t id = 0;
    std::wstring text;

    bool operator==(const ResourceName&) const = default;
    std::string describe() const;
};

struct StringEntry {
    std::wstring text;
    Location where;
};

struct Control {
    std::string statement;  // CONTROL, PUSHBUTTON, LTEXT, ...
    std::wstring text;
    std::uint32_t id = 0;
    std::wstring windowClass;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    Location where;
};

struct Dialog {
    ResourceName name;
    Location where;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t helpId = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::wstring caption;
    bool hasFont = false;
    std::uint16_t pointSize = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 0;
    std::wstring typeface;
    std::vector<Control> controls;
};

// A resource of a custom type (such as PNG) or RCDATA, holding a file's bytes.
struct DataResource {
    ResourceName type;
    ResourceName name;
    std::string file;
    std::vector<std::uint8_t> bytes;
    Location where;
};

struct Script {
    std::string source;
    std::map<std::uint16_t, StringEntry> strings;
    std::vector<Dialog> dialogs;
    std::vector<DataResource> data;
    // Every file the script read (itself, includes, embedded files), for rebuilds.
    std::vector<std::string> dependencies;
};

}  // namespace arxrc
