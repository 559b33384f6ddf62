// LISP functions that modules define: per document, called through the module's
// entry point with kInvkSubrMsg, returning their value through acedRet*.
#include <cwchar>

#include "acutads.h"
#include "aced.h"
#include "lisp.h"
#include "../ap/app_state.h"
#include "../ap/module.h"
#include "../core/numtext.h"
#include "../core/utf.h"

namespace arx {


namespace {

void setResult(resbuf* rb)
{
    AppState* app = appState();
    if (app->funResult != nullptr) acutRelRb(app->funResult);
    app->funResult = rb;
}

// A tiny reader of the call: (NAME arg ...) with numbers and "strings".
bool parseCall(const std::wstring& expr, std::wstring& name, resbuf*& args, std::string& error)
{
    size_t i = 0;
    auto skip = [&] {
        while (i < expr.size() && std::iswspace(expr[i])) ++i;
    };
    skip();
    if (i >= expr.size() || expr[i] != L'(') {
        error = "a call must start with \"(\"";
        return false;
    }
    ++i;
    skip();
    size_t start = i;
    while (i < expr.size() && !std::iswspace(expr[i]) && expr[i] != L')' && expr[i] != L'(') ++i;
    name = expr.substr(start, i - start);
    if (name.empty()) {
        error = "a call needs a function name";
        return false;
    }
    resbuf* tail = nullptr;
    args = nullptr;
    auto push = [&](resbuf* rb) {
        if (tail != nullptr) tail->rbnext = rb;
        else args = rb;
        tail = rb;
    };
    for (;;) {
        skip();
        if (i >= expr.size()) {
            error = "malformed list on input";
            acutRelRb(args);
            return false;
        }
        if (expr[i] == L')') {
            ++i;
            break;
        }
        if (expr[i] == L'"') {
            size_t end = expr.find(L'"', i + 1);
            if (end == std::wstring::npos) {
                error = "malformed string on input";
                acutRelRb(args);
                return false;
            }
            push(acutBuildList(RTSTR, expr.substr(i + 1, end - i - 1).c_str(), RTNONE));
            i = end + 1;
            continue;
        }
        size_t s = i;
        while (i < expr.size() && !std::iswspace(expr[i]) && expr[i] != L')') ++i;
        std::string atom = toUtf8(expr.substr(s, i - s));
        std::int64_t n = 0;
        double d = 0;
        if (parseInt(atom, n) && n >= INT32_MIN && n <= INT32_MAX)
            push(n >= -32768 && n <= 32767 ? acutBuildList(RTSHORT, static_cast<int>(n), RTNONE)
                                           : acutBuildList(RTLONG, static_cast<Adesk::Int32>(n), RTNONE));
        else if (parseDouble(atom, d))
            push(acutBuildList(RTREAL, d, RTNONE));
        else {
            error = "bad argument: " + atom;
            acutRelRb(args);
            return false;
        }
    }
    skip();
    if (i != expr.size()) {
        error = "extra text after the call";
        acutRelRb(args);
        return false;
    }
    return true;
}

std::wstring printValue(const resbuf* rb)
{
    if (rb == nullptr) return L"nil";
    switch (rb->restype) {
    case RTSHORT: return std::to_wstring(rb->resval.rint);
    case RTLONG: return std::to_wstring(rb->resval.rlong);
    case RTREAL: {
        std::string t;
        appendDouble(t, rb->resval.rreal);
        return fromUtf8(t);
    }
    case RTSTR: return L"\"" + std::wstring(rb->resval.rstring != nullptr ? rb->resval.rstring : L"") + L"\"";
    case RTT: return L"T";
    case RTNIL: return L"nil";
    case RTVOID: return L"";
    default: return L"nil";
    }
}

}  // namespace

bool evaluateLisp(const std::wstring& expr, std::wstring& printed, std::string& error)
{
    AppState* app = appState();
    if (app == nullptr || app->current == nullptr) {
        error = "no document is open";
        return false;
    }
    std::wstring name;
    resbuf* args = nullptr;
    if (!parseCall(expr, name, args, error)) return false;
    const Document::Function* fn = nullptr;
    for (const auto& f : app->current->functions)
        if (equalsNoCase(f.name, name)) fn = &f;
    if (fn == nullptr) {
        acutRelRb(args);
        error = "no function definition: " + toUtf8(upperAscii(name));
        return false;
    }
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->lispWillStart(expr.c_str()); });
    int previousCode = app->funCode;
    resbuf* previousArgs = app->funArgs;
    resbuf* previousResult = app->funResult;
    app->funCode = fn->code;
    app->funArgs = args;
    app->funResult = nullptr;
    callModule(fn->module, AcRx::kInvkSubrMsg);
    printed = printValue(app->funResult);
    acutRelRb(app->funResult);
    acutRelRb(args);
    app->funCode = previousCode;
    app->funArgs = previousArgs;
    app->funResult = previousResult;
    app->notifyEditorReactors([](AcEditorReactor* r) { r->lispEnded(); });
    return true;
}

void removeModuleFunctions(Module* module)
{
    for (Document* d : appState()->documents)
        std::erase_if(d->functions, [&](const Document::Function& f) { return f.module == module; });
}

}  // namespace arx

int acedDefun(const ACHAR* name, short funcNumber)
{
    arx::AppState* app = arx::appState();
    if (app == nullptr || app->current == nullptr || name == nullptr || *name == 0) return RTERROR;
    auto& fns = app->current->functions;
    std::erase_if(fns, [&](const arx::Document::Function& f) { return arx::equalsNoCase(f.name, name); });
    fns.push_back(arx::Document::Function{name, funcNumber, app->runningModule});
    return RTNORM;
}

int acedUndef(const ACHAR* name, short funcNumber)
{
    arx::AppState* app = arx::appState();
    if (app == nullptr || app->current == nullptr || name == nullptr) return RTERROR;
    size_t removed = std::erase_if(app->current->functions, [&](const arx::Document::Function& f) {
        return arx::equalsNoCase(f.name, name) && f.code == funcNumber;
    });
    return removed > 0 ? RTNORM : RTERROR;
}

int acedGetFunCode()
{
    arx::AppState* app = arx::appState();
    return app != nullptr ? app->funCode : RTERROR;
}

resbuf* acedGetArgs()
{
    arx::AppState* app = arx::appState();
    return app != nullptr ? app->funArgs : nullptr;
}

int acedRetInt(int value)
{
    arx::setResult(acutBuildList(value >= -32768 && value <= 32767 ? RTSHORT : RTLONG, value, RTNONE));
    return RTNORM;
}
int acedRetReal(ads_real value)
{
    arx::setResult(acutBuildList(RTREAL, value, RTNONE));
    return RTNORM;
}
int acedRetStr(const ACHAR* value)
{
    arx::setResult(acutBuildList(RTSTR, value != nullptr ? value : L"", RTNONE));
    return RTNORM;
}
int acedRetNil()
{
    arx::setResult(acutBuildList(RTNIL, RTNONE));
    return RTNORM;
}
int acedRetT()
{
    arx::setResult(acutBuildList(RTT, RTNONE));
    return RTNORM;
}
int acedRetVoid()
{
    arx::setResult(acutBuildList(RTVOID, RTNONE));
    return RTNORM;
}
