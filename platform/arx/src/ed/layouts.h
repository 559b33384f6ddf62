// Switching the layout shown: model space or one of the drawing's paper-space
// layouts, by name, as LAYOUT Set and the system variable CTAB do it.
#pragma once
#include <string>

class AcDbDatabase;

namespace arx {

// The name of the layout shown in the drawing: "Model", or the paper-space
// layout whose block is the drawing's paper space.
std::wstring currentLayoutName(AcDbDatabase* db);
// Makes the named layout (without regard to case) the current document's
// current one; editor reactors hear layoutSwitched when it changed. False,
// with the reason, when the drawing has no such layout.
bool switchLayout(const std::wstring& name, std::wstring& why);

}  // namespace arx
