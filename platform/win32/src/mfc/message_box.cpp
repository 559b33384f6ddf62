// AfxMessageBox: a message box with the application's name as caption, owned by the
// active window (a dialog running, say) or else the main window.
#include <filesystem>
#include <string>

#include "core/utf8.h"
#include "kernel/modules.h"
#include "mfc/window_map.h"

LPCTSTR AfxGetAppName()
{
    static const std::wstring name = [] {
        std::string path = win32::modulePath(win32::mainProgram());
        std::string stem = path.empty() ? std::string("application") : std::filesystem::path(path).stem().string();
        return win32::widen(stem);
    }();
    return name.c_str();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    (void)nIDHelp;
    HWND owner = ::GetActiveWindow();
    if (owner == nullptr) owner = win32::mfc::hwndOf(AfxGetMainWnd());
    return MessageBoxW(owner, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
