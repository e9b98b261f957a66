// Installing font files, one at a time and in batches.
#include "ops/install.h"

#include <shellapi.h>

#include <cstring>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "ops/batch.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/win32calls.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"

namespace {

// The file name with its extension: what follows the drive and directory.
const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    return name;
}

// Letter case aside, as the user reads names; punctuation counts, so
// "Sans-Bold" and "SansBold" stay two names.
bool SameNameIgnoringCase(const char* a, const char* b) {
    char left[kFontNameCapacity], right[kFontNameCapacity];
    lstrcpynA(left, a, sizeof left);
    lstrcpynA(right, b, sizeof right);
    CharUpperBuffA(left, static_cast<DWORD>(strlen(left)));
    CharUpperBuffA(right, static_cast<DWORD>(strlen(right)));
    return strcmp(left, right) == 0;
}

// The installed list already shows a font of that full name.
bool FontNameIsInstalled(HWND owner, const char* fullName) {
    HWND list = GetDlgItem(owner, IDC_INSTALLED_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return false;
    for (LRESULT i = 0; i < count; ++i) {
        char entryName[kEntryNameSize];
        if (EntryFullName(list, static_cast<int>(i), entryName) && SameNameIgnoringCase(entryName, fullName)) {
            return true;
        }
    }
    return false;
}

int Ask(HWND owner, UINT id, const char* text) { return ShowMessage(owner, id, kGoOnQuestion, text) == IDYES ? 1 : 0; }

// Runs a batch's closing steps: the summary when wanted and, when anything
// was done, the notice that rebuilds every program's font lists.
unsigned FinishInstallBatch(HWND mainWindow, int processed) {
    if (g_settings.PromptWhenDone) ShowBatchSummary(mainWindow, processed);
    if (processed == 0) return kChangedNothing;
    BroadcastFontChange();
    return kChangedFonts;
}

}  // namespace

bool HasTrueTypeExtension(const char* path) {
    const char* dot = strrchr(FileNamePart(path), '.');
    return dot && lstrcmpiA(dot + 1, "ttf") == 0;
}

int InstallFontFile(HWND owner, const char* file, bool fullPath) {
    char fileName[MAX_PATH];
    char source[MAX_PATH];
    const char* name = fullPath ? FileNamePart(file) : file;
    // A name or path too long for the system's paths cannot be copied; a
    // cut one would name some other file.
    if (strlen(file) >= MAX_PATH || strlen(name) >= MAX_PATH) {
        char shown[MAX_PATH];
        lstrcpynA(shown, name, sizeof shown);
        return Ask(owner, MSG_INSTALL_COPY_FAILED, shown);
    }
    strcpy(fileName, name);
    if (fullPath) {
        strcpy(source, file);
    } else {
        char directory[MAX_PATH];
        if (!PlatCurrentDirectory(directory, sizeof directory) || !JoinPath(source, sizeof source, directory, fileName)) {
            return Ask(owner, MSG_INSTALL_COPY_FAILED, fileName);
        }
    }
    char destination[MAX_PATH];
    if (!JoinPath(destination, sizeof destination, FontsDirectory(), fileName)) return Ask(owner, MSG_INSTALL_COPY_FAILED, fileName);

    // Never over a file that is already there, whatever font it holds: it
    // may belong to an installed font.
    if (GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES) {
        return Ask(owner, MSG_INSTALL_FILE_EXISTS, fileName);
    }
    char fullName[kFontNameCapacity];
    char notice[kFontNameCapacity];
    if (!ReadFontNames(fullName, notice, source)) return Ask(owner, MSG_INSTALL_FILE_DAMAGED, fileName);
    if (FontNameIsInstalled(owner, fullName)) return Ask(owner, MSG_INSTALL_FONT_EXISTS, fullName);

    if (!PlatCopyFile(source, destination)) {
        // Nothing stood there before the copy: whatever stands there now is
        // the broken copy.
        DeleteFileA(destination);
        return Ask(owner, MSG_INSTALL_COPY_FAILED, fileName);
    }
    AddFontResourceA(destination);

    HKEY key;
    if (OpenFontKey(KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 1;
    char valueName[kFontNameCapacity + 16];
    FontValueName(fullName, valueName, sizeof valueName);
    const LONG written = PlatRegSetString(key, valueName, fileName);
    RegCloseKey(key);
    if (written != ERROR_SUCCESS) {
        const int goOn = Ask(owner, MSG_INSTALL_REGISTRY_ERROR, fullName);
        // Without its registry value the file would be a font that no
        // later start of the system knows about.
        DeleteFileA(destination);
        return goOn;
    }
    return 1;
}

unsigned InstallSelectedFiles(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_FILE_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return kChangedNothing;
    PlatWaitCursor wait;
    int processed = 0;
    for (LRESULT i = 0; i < count; ++i) {
        char name[MAX_PATH];
        if (!SelectedRowText(list, static_cast<int>(i), name, sizeof name)) continue;
        if (!InstallFontFile(mainWindow, name, false)) break;
        // A file skipped after a question counts as handled too.
        ++processed;
    }
    return FinishInstallBatch(mainWindow, processed);
}

unsigned InstallDroppedFiles(HWND mainWindow, HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0) {
        DragFinish(drop);
        return kChangedNothing;
    }
    BringWindowToTop(mainWindow);
    int processed = 0;
    for (UINT i = 0; i < count; ++i) {
        // Room beyond MAX_PATH, so that a path too long is refused whole
        // rather than cut into the name of another file.
        char path[4 * MAX_PATH];
        if (DragQueryFileA(drop, i, path, sizeof path) == 0) continue;
        if (!HasTrueTypeExtension(path)) continue;
        if (!InstallFontFile(mainWindow, path, true)) break;
        ++processed;
    }
    DragFinish(drop);
    return FinishInstallBatch(mainWindow, processed);
}
