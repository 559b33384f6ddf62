// `arxhost convert IN OUT`: opens a drawing and saves it in the format its new
// name asks for.
#pragma once
#include <string>

class AcDbDatabase;

namespace arxhost {
class Application;
int runConvert(Application& app, const std::string& in, const std::string& out);
// One line: the drawing's objects by class, proxies marked.
std::string summarize(AcDbDatabase* db);
}  // namespace arxhost
