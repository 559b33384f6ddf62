// What the host program (not the plug-in) asks of the host runtime: which
// generation it plays, opening and saving drawings by content and extension,
// the message of the last failure, and an inventory of a drawing.
#pragma once
#include <string>
#include <vector>

#include "dbmain.h"

namespace arxhost {

void setGeneration(int year);  // 2010 or 2013
int generation();

// Opens a DXF or binary drawing, whichever the file holds.
Acad::ErrorStatus openDrawing(AcDbDatabase* db, const std::wstring& path);
// Saves as DXF for ".dxf", as a binary drawing for ".dwg"; other names fail.
Acad::ErrorStatus saveDrawing(AcDbDatabase* db, const std::wstring& path);
const std::string& lastError();

struct ClassCount {
    std::wstring name;  // the class, or for a proxy the class it stands for
    size_t count = 0;
    bool proxy = false;
};
// Objects (not erased) by class, largest count first.
std::vector<ClassCount> countObjects(AcDbDatabase* db);
// The folders searched for support files such as linetype definitions.
void addSupportPath(const std::wstring& dir);

}  // namespace arxhost
