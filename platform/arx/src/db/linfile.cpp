// Loading linetypes from a linetype definition file (.lin): a "*NAME,description"
// line followed by its "A,dash,dash,..." pattern line, where a dash may be a
// bracketed text or shape element.
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

#include "dbapserv.h"
#include "dbsymtb.h"
#include "defaults.h"
#include "object_access.h"
#include "symbols.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../core/file_error.h"

namespace arx {
namespace {

constexpr size_t kMaxLinFile = 1u << 20;

struct LinDefinition {
    std::wstring name;
    std::wstring description;
    std::vector<AcDbLinetypeTableRecord::Dash> dashes;
    double patternLength = 0;
};

std::string trim(std::string s)
{
    std::string_view v = trimSpaces(s);
    return std::string(v);
}

// Splits at commas that are not inside a bracketed element.
std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> out;
    std::string cur;
    int depth = 0;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == '[') ++depth;
        if (!quoted && c == ']') --depth;
        if (c == ',' && depth == 0 && !quoted) {
            out.push_back(trim(cur));
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    out.push_back(trim(cur));
    return out;
}

bool parseElement(const std::string& field, AcDbLinetypeTableRecord::Dash& dash, std::string& error)
{
    std::vector<std::string> parts = splitFields(field.substr(1, field.size() - 2));
    if (parts.size() < 2) {
        error = "a bracketed element needs a text or shape and a style";
        return false;
    }
    const std::string& first = parts[0];
    if (first.size() >= 2 && first.front() == '"' && first.back() == '"') {
        dash.shapeFlags = 2;
        dash.text = AcString(fromUtf8(first.substr(1, first.size() - 2)));
    } else {
        dash.shapeFlags = 4;  // a shape: kept by name, drawn as its dash
        dash.text = AcString(fromUtf8(first));
    }
    for (size_t i = 2; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        size_t eq = p.find('=');
        if (eq == std::string::npos) {
            error = "element setting \"" + p + "\" has no \"=\"";
            return false;
        }
        std::string key = trim(p.substr(0, eq));
        double v = 0;
        if (!parseDouble(p.substr(eq + 1), v)) {
            error = "element setting \"" + p + "\" is not a number";
            return false;
        }
        if (key == "S" || key == "s") dash.scale = v;
        else if (key == "R" || key == "r" || key == "A" || key == "a") dash.rotation = v * M_PI / 180.0;
        else if (key == "X" || key == "x") dash.offsetX = v;
        else if (key == "Y" || key == "y") dash.offsetY = v;
        else {
            error = "unknown element setting \"" + key + "\"";
            return false;
        }
    }
    return true;
}

bool parseFile(const std::string& text, std::vector<LinDefinition>& defs, std::string& error)
{
    std::istringstream in(text);
    std::string line;
    size_t lineNo = 0;
    LinDefinition* open = nullptr;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string t = trim(line);
        if (t.empty() || t[0] == ';') continue;
        if (t[0] == '*') {
            size_t comma = t.find(',');
            LinDefinition d;
            d.name = fromUtf8(trim(t.substr(1, comma == std::string::npos ? std::string::npos : comma - 1)));
            if (comma != std::string::npos) d.description = fromUtf8(trim(t.substr(comma + 1)));
            if (d.name.empty()) {
                error = "line " + std::to_string(lineNo) + ": a definition without a name";
                return false;
            }
            defs.push_back(std::move(d));
            open = &defs.back();
            continue;
        }
        if (open == nullptr || (t[0] != 'A' && t[0] != 'a')) {
            error = "line " + std::to_string(lineNo) + ": expected \"*NAME\" or an \"A,\" pattern";
            return false;
        }
        std::vector<std::string> fields = splitFields(t);
        for (size_t i = 1; i < fields.size(); ++i) {
            const std::string& f = fields[i];
            AcDbLinetypeTableRecord::Dash dash;
            if (!f.empty() && f.front() == '[') {
                if (f.back() != ']' || !parseElement(f, dash, error)) {
                    if (error.empty()) error = "unclosed \"[\"";
                    error = "line " + std::to_string(lineNo) + ": " + error;
                    return false;
                }
            } else if (!parseDouble(f, dash.length)) {
                error = "line " + std::to_string(lineNo) + ": \"" + f + "\" is not a dash length";
                return false;
            }
            if (open->dashes.size() >= 12) {
                error = "line " + std::to_string(lineNo) + ": a pattern has at most 12 elements";
                return false;
            }
            open->patternLength += std::fabs(dash.length);
            open->dashes.push_back(dash);
        }
        open = nullptr;
    }
    return true;
}

}  // namespace

Acad::ErrorStatus loadLinetypes(AcDbDatabase* db, const ACHAR* ltName, const ACHAR* fileName)
{
    if (db == nullptr) return Acad::eNoDatabase;
    if (ltName == nullptr || fileName == nullptr) return Acad::eInvalidInput;
    ACHAR found[4096];
    if (acdbHostApplicationServices()->findFile(found, 4096, fileName, db) != Acad::eOk) {
        setLastFileError(toUtf8(fileName) + ": linetype file not found");
        return Acad::eFileNotFound;
    }
    std::ifstream f(toUtf8(found), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!f.good() && !f.eof()) return Acad::eFileAccessErr;
    if (text.size() > kMaxLinFile) {
        setLastFileError(toUtf8(found) + ": larger than a linetype file can be");
        return Acad::eInvalidInput;
    }
    std::vector<LinDefinition> defs;
    std::string error;
    if (!parseFile(text, defs, error)) {
        setLastFileError(toUtf8(found) + ": " + error);
        return Acad::eInvalidInput;
    }
    const bool all = std::wstring_view(ltName) == L"*";
    bool any = false;
    for (const LinDefinition& d : defs) {
        if (!all && !equalsNoCase(d.name, ltName)) continue;
        AcDbObjectId existing;
        if (findSymbol(db, TableKind::kLinetype, d.name.c_str(), existing) == Acad::eOk) {
            if (!all) return Acad::eDuplicateRecordName;
            continue;
        }
        auto* rec = new AcDbLinetypeTableRecord();
        rec->setName(d.name.c_str());
        rec->setComments(d.description.c_str());
        rec->setPatternLength(d.patternLength);
        ObjectAccess::dashes(rec) = d.dashes;
        if (addSymbolRecord(db, TableKind::kLinetype, rec) == nullptr) return Acad::eMissingSymbolTable;
        any = true;
        if (!all) break;
    }
    if (!any && !all) {
        setLastFileError(toUtf8(found) + ": no linetype " + toUtf8(ltName));
        return Acad::eKeyNotFound;
    }
    return Acad::eOk;
}

}  // namespace arx
