// Changing the name that the selected font files carry inside them, one
// dialog per file.
#include <windows.h>

#include <cstdio>

#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "ops/namedialog.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

// The file of the open dialog, from its start until OK: one dialog is open
// at a time.
char g_fileName[MAX_PATH];

INT_PTR OnInitDialog(HWND box, LPARAM parameter) {
    lstrcpynA(g_fileName, reinterpret_cast<const char*>(parameter), sizeof g_fileName);
    char fullName[kFontNameCapacity];
    char notice[kFontNameCapacity];
    if (!ReadFontNames(fullName, notice, PathInCurrentDirectory(g_fileName))) {
        ShowMessage(box, MSG_FONT_FILE_DAMAGED, MB_OK | MB_ICONINFORMATION);
        // Ends as Cancel would, so the run goes on with the next file.
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    ShowNameDialogNames(box, fullName, fullName);
    // The focus was set here.
    return FALSE;
}

void OnOk(HWND box) {
    char newName[MAX_PATH] = "";
    GetDlgItemTextA(box, IDC_NAME_NEW, newName, sizeof newName);
    // A font without a name could no longer be read by this program: the
    // dialog stays open for a name.
    if (newName[0] == 0) {
        ShowMessage(box, MSG_NAME_EMPTY, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Written even when unchanged: the user asked for it. A failed rewrite
    // leaves the file as it was.
    if (!RewriteFontName(newName, PathInCurrentDirectory(g_fileName))) {
        ShowMessage(box, MSG_FILE_ACCESS_ERROR, MB_OK | MB_ICONINFORMATION);
    }
    EndDialog(box, IDOK);
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDOK: OnOk(box); return TRUE;
    }
    return EndNameDialogOnCancel(box, id);
}

INT_PTR CALLBACK ChangeFontNameBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(HandleControlColour(box, reinterpret_cast<HDC>(wParam)));
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box, lParam);
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

unsigned ChangeSelectedFontNames(HWND mainWindow) {
    return RunNameDialogForSelectedFiles(mainWindow, IDD_CHANGE_FONT_NAME_BOX, ChangeFontNameBoxProc);
}
