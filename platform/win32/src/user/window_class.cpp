// RegisterClassW and UnregisterClassW, and the lookup of classes by name. The
// dialog class and the standard controls are registered the first time any class
// is looked up, so they exist before the first window is made.
#include "user/window_class.h"

#include <map>
#include <memory>

#include "core/wide_case.h"
#include "kernel/modules.h"
#include "user/window.h"

namespace win32::controls {
void registerControlClasses();
}

namespace win32::user {
void registerDialogClass();

namespace {

std::wstring folded(LPCWSTR name)
{
    std::wstring s;
    for (const wchar_t* p = name; *p; ++p) s += upperCase(*p);
    return s;
}

struct Classes {
    std::map<std::wstring, std::unique_ptr<WindowClass>> byName;
    std::map<ATOM, WindowClass*> byAtom;
    ATOM nextAtom = 0xC000;  // Windows hands out registered class atoms from 0xC000
    bool builtInsDone = false;
};

Classes& classes()
{
    static Classes* c = new Classes;
    return *c;
}

}  // namespace

void ensureBuiltInClasses()
{
    Classes& c = classes();
    if (c.builtInsDone) return;
    c.builtInsDone = true;
    registerDialogClass();
    win32::controls::registerControlClasses();
}

void registerBuiltInClass(const WindowClass& cls)
{
    auto owned = std::make_unique<WindowClass>(cls);
    owned->builtIn = true;
    classes().byName[folded(cls.name.c_str())] = std::move(owned);
}

const WindowClass* findClass(LPCWSTR name)
{
    ensureBuiltInClasses();
    Classes& c = classes();
    if (name == nullptr) return nullptr;
    if (IS_INTRESOURCE(name)) {
        auto it = c.byAtom.find(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name)));
        return it == c.byAtom.end() ? nullptr : it->second;
    }
    auto it = c.byName.find(folded(name));
    return it == c.byName.end() ? nullptr : it->second.get();
}

}  // namespace win32::user

using namespace win32::user;

ATOM RegisterClassW(const WNDCLASSW* lpWndClass)
{
    ensureBuiltInClasses();
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr || IS_INTRESOURCE(lpWndClass->lpszClassName) ||
        lpWndClass->lpszClassName[0] == 0 || lpWndClass->lpfnWndProc == nullptr || lpWndClass->cbWndExtra < 0 ||
        lpWndClass->cbWndExtra > 40 * 1024 || lpWndClass->cbClsExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Classes& c = classes();
    std::wstring key = folded(lpWndClass->lpszClassName);
    if (c.byName.count(key) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_unique<WindowClass>();
    cls->name = lpWndClass->lpszClassName;
    cls->proc = lpWndClass->lpfnWndProc;
    cls->style = lpWndClass->style;
    cls->cbWndExtra = lpWndClass->cbWndExtra;
    cls->instance = lpWndClass->hInstance ? lpWndClass->hInstance : win32::mainProgram();
    cls->icon = lpWndClass->hIcon;
    ATOM atom = c.nextAtom++;
    c.byAtom[atom] = cls.get();
    c.byName[key] = std::move(cls);
    return atom;
}

BOOL UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance)
{
    Classes& c = classes();
    const WindowClass* cls = findClass(lpClassName);
    if (cls == nullptr || cls->builtIn) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    // Windows refuses while windows of the class exist.
    bool inUse = false;
    forEachWindow([&](Window* w) { inUse = inUse || w->wndClass == cls; });
    if (inUse) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    (void)hInstance;
    for (auto it = c.byAtom.begin(); it != c.byAtom.end(); ++it)
        if (it->second == cls) {
            c.byAtom.erase(it);
            break;
        }
    c.byName.erase(folded(cls->name.c_str()));
    return TRUE;
}
