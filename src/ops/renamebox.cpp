// Renaming the selected font files, one dialog per file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/messages.h"
#include "app/operations.h"
#include "app/winhelpers.h"
#include "ops/batch.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"

namespace {

// The name the file gets: as typed when it ends in ".ttf" (any case), else
// the bare name with ".ttf", so that the file stays a font file that the
// list shows. False when no usable name is left.
bool TargetName(const char* typed, char* out) {
    char drive[_MAX_DRIVE], directory[_MAX_DIR], name[_MAX_FNAME], extension[_MAX_EXT];
    _splitpath(typed, drive, directory, name, extension);
    const char* bareExtension = extension[0] == '.' ? extension + 1 : extension;
    if (_stricmp(bareExtension, "ttf") == 0) {
        lstrcpynA(out, typed, MAX_PATH);
        return name[0] != 0;
    }
    if (name[0] == 0) return false;
    const int length = snprintf(out, MAX_PATH, "%s.ttf", name);
    return length > 0 && length < MAX_PATH;
}

// MoveFileA never replaces a file that already has the new name: the
// user's other font stays, and the rename is reported as failed.
bool RenameFontFile(const char* from, const char* to) {
    if (lstrcmpiA(from, to) != 0) return MoveFileA(from, to) != FALSE;
    // Only the letter case changes. Some file systems keep the old spelling
    // when a file is moved onto itself, so the file passes through a name
    // of its own that nothing else uses.
    char passing[MAX_PATH];
    if (!GetTempFileNameA(".", "QMR", 0, passing)) return false;
    // The new empty file only reserves the name.
    if (!DeleteFileA(passing) || !MoveFileA(from, passing)) {
        DeleteFileA(passing);
        return false;
    }
    if (MoveFileA(passing, to)) return true;
    MoveFileA(passing, from);
    return false;
}

INT_PTR OnInitDialog(HWND box, LPARAM parameter) {
    const char* fileName = reinterpret_cast<const char*>(parameter);
    char fullName[kFontNameCapacity];
    char notice[kFontNameCapacity];
    if (ReadFontNames(fullName, notice, PathInCurrentDirectory(fileName))) {
        char caption[MAX_PATH];
        GetWindowTextA(box, caption, sizeof caption);
        char title[MAX_PATH + kFontNameCapacity + 1];
        snprintf(title, sizeof title, "%s %s", caption, fullName);
        SetWindowTextA(box, title);
    }
    SetDlgItemTextA(box, IDC_NAME_CURRENT, fileName);
    SetDlgItemTextA(box, IDC_NAME_NEW, fileName);
    HWND edit = GetDlgItem(box, IDC_NAME_NEW);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    CentreOnScreen(box);
    // The focus was set here.
    return FALSE;
}

void OnOk(HWND box) {
    char current[MAX_PATH] = "";
    char typed[MAX_PATH] = "";
    GetDlgItemTextA(box, IDC_NAME_CURRENT, current, sizeof current);
    GetDlgItemTextA(box, IDC_NAME_NEW, typed, sizeof typed);
    char target[MAX_PATH];
    const bool usable = TargetName(typed, target);
    // The same name letter for letter leaves the file alone; a change of
    // letter case alone is a rename.
    if (!usable || (strcmp(target, current) != 0 && !RenameFontFile(current, target))) {
        // The dialog stays open: the user may correct the name.
        ShowMessage(box, MSG_RENAME_ERROR, MB_OK | MB_ICONINFORMATION);
        return;
    }
    EndDialog(box, IDOK);
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDOK: OnOk(box); return TRUE;
    case IDCANCEL:
    case IDC_NAME_ABORT: EndDialog(box, id); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FileRenameBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box, lParam);
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(HandleControlColour(box, reinterpret_cast<HDC>(wParam)));
    }
    return FALSE;
}

// One file: nonzero goes on with the next selected file, zero (Abort) ends
// the run.
int RenameOneFile(HWND mainWindow, const char* fileName) {
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_FILE_RENAME_BOX, mainWindow,
                                           FileRenameBoxProc, reinterpret_cast<LPARAM>(fileName));
    UpdateWindow(mainWindow);
    return result == IDC_NAME_ABORT ? 0 : 1;
}

}  // namespace

void RenameSelectedFiles(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_FILE_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return;
    // The list is filled again only after the run, so the rows keep their
    // places while files change their names.
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH];
        if (!SelectedRowText(list, static_cast<int>(i), text, sizeof text)) continue;
        if (!RenameOneFile(mainWindow, text)) break;
    }
    // The command fills the file list again and refreshes the status.
}
