#include "ops/namedialog.h"

#include <cstdio>

#include "platform/winhelpers.h"
#include "ops/batch.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"

void ShowNameDialogNames(HWND box, const char* current, const char* fullName) {
    if (fullName && fullName[0]) {
        char caption[MAX_PATH];
        GetWindowTextA(box, caption, sizeof caption);
        char title[MAX_PATH + kFontNameCapacity + 1];
        snprintf(title, sizeof title, "%s %s", caption, fullName);
        SetWindowTextA(box, title);
    }
    SetDlgItemTextA(box, IDC_NAME_CURRENT, current);
    SetDlgItemTextA(box, IDC_NAME_NEW, current);
    HWND edit = GetDlgItem(box, IDC_NAME_NEW);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    CentreOnScreen(box);
}

bool EndNameDialogOnCancel(HWND box, int id) {
    if (id != IDCANCEL && id != IDC_NAME_ABORT) return false;
    EndDialog(box, id);
    return true;
}

unsigned RunNameDialogForSelectedFiles(HWND mainWindow, const char* dialogTemplate, DLGPROC procedure) {
    HWND list = GetDlgItem(mainWindow, IDC_FILE_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return kChangedNothing;
    // The list is filled again only after the run, so the rows keep their
    // places while the files change.
    for (LRESULT i = 0; i < count; ++i) {
        char fileName[MAX_PATH];
        if (!SelectedRowText(list, static_cast<int>(i), fileName, sizeof fileName)) continue;
        const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), dialogTemplate, mainWindow, procedure,
                                               reinterpret_cast<LPARAM>(fileName));
        UpdateWindow(mainWindow);
        if (result == IDC_NAME_ABORT) break;
    }
    return kChangedFiles;
}
