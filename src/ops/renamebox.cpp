// Renaming the selected font files, one dialog per file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "ops/namedialog.h"
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
    const bool named = ReadFontNames(fullName, notice, PathInCurrentDirectory(fileName));
    ShowNameDialogNames(box, fileName, named ? fullName : nullptr);
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
    }
    return EndNameDialogOnCancel(box, id);
}

INT_PTR CALLBACK FileRenameBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
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

unsigned RenameSelectedFiles(HWND mainWindow) {
    return RunNameDialogForSelectedFiles(mainWindow, IDD_FILE_RENAME_BOX, FileRenameBoxProc);
}
