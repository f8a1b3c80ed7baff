// The common dialogs need the declarations of <windows.h> before them.
// clang-format off
#include "platform/win32/win32.h"
#include <commdlg.h>
// clang-format on

#include "platform/opendialog.h"

#include "platform/backend.h"

namespace pellino::backend {

bool RunOpenDialog(const OpenDialog& dialog, std::string& chosen) {
    // The system wants the filter's parts separated by nulls and ended by two.
    std::string filter = dialog.Filter();
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    filter.append(2, '\0');
    char file[MAX_PATH] = {};
    dialog.FileName().copy(file, MAX_PATH - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = dialog.InitialDir().empty() ? nullptr : dialog.InitialDir().c_str();
    ofn.lpstrDefExt = dialog.DefaultExt().empty() ? nullptr : dialog.DefaultExt().c_str();
    // The program names every file by its full path, so the dialog must not move the current
    // folder under it.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_PATHMUSTEXIST |
                OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    // The dialogs' library is loaded only for the first dialog: the start need not wait for it.
    static const auto getOpenFileName =
        win32::LibraryFunction<BOOL(WINAPI*)(LPOPENFILENAMEA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!getOpenFileName || !getOpenFileName(&ofn)) return false;
    chosen = file;
    return true;
}

}  // namespace pellino::backend
