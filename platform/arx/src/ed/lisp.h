// Evaluating a call of a module's LISP function in the current document.
#pragma once
#include <string>

namespace arx {
struct Module;
// Evaluates "(NAME args...)"; printed is the value as LISP prints it.
bool evaluateLisp(const std::wstring& expr, std::wstring& printed, std::string& error);
void removeModuleFunctions(Module* module);
}  // namespace arx
