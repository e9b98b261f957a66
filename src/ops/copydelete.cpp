// Copying installed fonts out and deleting font files, one at a time and
// in batches.
#include "ops/copydelete.h"

#include <lzexpand.h>

#include <cstring>

#include "app/messages.h"
#include "app/operations.h"
#include "config/settings.h"
#include "lists/installedlist.h"
#include "ops/batch.h"
#include "platform/platform.h"
#include "resources/resource.h"

namespace {

// Only a bare name stays inside the directories it is joined to: a value
// that holds a path ("C:\...", "..\...") would read or write some other
// folder, and an empty one names the directory itself.
bool IsBareFileName(const char* name) {
    if (name[0] == 0 || strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
    return strpbrk(name, "\\/:") == nullptr;
}

// The two paths name one file: the current directory may be the fonts
// directory itself, where creating the copy would empty the font's file.
bool IsSameFile(const char* a, const char* b) {
    char fullA[MAX_PATH], fullB[MAX_PATH];
    if (GetFullPathNameA(a, MAX_PATH, fullA, nullptr) - 1 < MAX_PATH - 1 &&
        GetFullPathNameA(b, MAX_PATH, fullB, nullptr) - 1 < MAX_PATH - 1 && lstrcmpiA(fullA, fullB) == 0) {
        return true;
    }
    // Short names, links and other spellings of one file.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE first = CreateFileA(a, 0, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (first == INVALID_HANDLE_VALUE) return false;
    HANDLE second = CreateFileA(b, 0, share, nullptr, OPEN_EXISTING, 0, nullptr);
    bool same = false;
    if (second != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION one, two;
        same = GetFileInformationByHandle(first, &one) && GetFileInformationByHandle(second, &two) &&
               one.dwVolumeSerialNumber == two.dwVolumeSerialNumber && one.nFileIndexHigh == two.nFileIndexHigh &&
               one.nFileIndexLow == two.nFileIndexLow;
        CloseHandle(second);
    }
    CloseHandle(first);
    return same;
}

LONG CopyLz(INT from, INT to) {
#ifdef QM_FAULT_INJECTION
    if (OpsFaultFires(OpsFault::LzCopy)) {
        const DWORD error = GetLastError();
        CopyLZFile(from, to);
        SetLastError(error);
        return LZERROR_WRITE;
    }
#endif
    return CopyLZFile(from, to);
}

// Puts the finished copy where the user's file was, replacing it only now
// that the copy is whole.
bool MoveIntoPlace(const char* finished, const char* destination) {
    if (MoveFileExA(finished, destination, MOVEFILE_REPLACE_EXISTING)) return true;
    // The Windows 95 family has no MoveFileExA: there the old file must go
    // first.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(destination)) return false;
    return MoveFileA(finished, destination) != FALSE;
}

// Copies `source` to `destination` through a new file beside the
// destination, so that a copy that breaks off leaves whatever stood there
// untouched. -1 when the source cannot be opened, else whether the copy
// is in place.
int ExpandInto(char* source, const char* directory, const char* destination) {
    OFSTRUCT sourceInfo = {};
    const INT from = LZOpenFileA(source, &sourceInfo, OF_READ);
    if (from < 0) return -1;
    char partial[MAX_PATH];
    if (!GetTempFileNameA(directory, "QMC", 0, partial)) {
        LZClose(from);
        return 0;
    }
    OFSTRUCT partialInfo = {};
    const INT to = LZOpenFileA(partial, &partialInfo, OF_CREATE);
    bool copied = false;
    if (to >= 0) {
        copied = LZStart() != 0 && CopyLz(from, to) >= 1;
        LZClose(to);
    }
    LZClose(from);
    if (copied && MoveIntoPlace(partial, destination)) return 1;
    DeleteFileA(partial);
    return 0;
}

}  // namespace

int CopyInstalledFont(HWND owner, const char* rowText) {
    char fileName[MAX_PATH];
    lstrcpynA(fileName, FontFileOfInstalledFont(rowText), sizeof fileName);
    char directory[MAX_PATH];
    if (!PlatCurrentDirectory(directory, sizeof directory)) directory[0] = 0;
    // The directory as the question shows it, ending in a backslash.
    char shownDirectory[MAX_PATH];
    if (!JoinPath(shownDirectory, directory, "")) lstrcpynA(shownDirectory, directory, sizeof shownDirectory);
    auto askAboutFailure = [&] {
        return ShowMessage(owner, MSG_COPY_FAILED, kGoOnQuestion, rowText, fileName, shownDirectory) == IDYES ? 1 : 0;
    };

    char source[MAX_PATH];
    char destination[MAX_PATH];
    if (directory[0] == 0 || !IsBareFileName(fileName) || !JoinPath(source, FontsDirectory(), fileName) ||
        !JoinPath(destination, directory, fileName)) {
        return askAboutFailure();
    }
    const DWORD existing = GetFileAttributesA(destination);
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (existing & FILE_ATTRIBUTE_DIRECTORY) return askAboutFailure();
        // The font's own file, seen from the fonts directory: already there.
        if (IsSameFile(source, destination)) return 1;
        if (g_settings.PromptBeforeOverwrite) {
            const int answer =
                ShowMessage(owner, MSG_COPY_OVERWRITE, MB_YESNOCANCEL | MB_ICONQUESTION, rowText, fileName);
            if (answer == IDNO) return 1;
            // Cancel, or a box that could not be shown: nothing is replaced.
            if (answer != IDYES) return 0;
        }
    }
    const int copied = ExpandInto(source, directory, destination);
    // A font whose file is missing from the fonts directory is passed over.
    if (copied < 0) return 1;
    return copied ? 1 : askAboutFailure();
}

void CopySelectedFonts(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_INSTALLED_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return;
    int processed = 0;
    {
        PlatWaitCursor wait;
        for (LRESULT i = 0; i < count; ++i) {
            char text[MAX_PATH];
            if (!SelectedRowText(list, static_cast<int>(i), text, sizeof text)) continue;
            if (!CopyInstalledFont(mainWindow, text)) break;
            // A font skipped after the question counts as handled too.
            ++processed;
        }
    }
    if (g_settings.PromptWhenDone) ShowBatchSummary(mainWindow, processed);
    // The command fills the file list again and refreshes the status.
}

bool DeleteSelectedFiles(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_FILE_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    // A list that cannot count its rows is filled again.
    if (count == LB_ERR) return true;
    // Directory and drive rows are never deleted, even when a click left
    // one selected: "[name]" could also be a file of that name.
    auto takeRow = [list](LRESULT index, char* text, size_t size) {
        return SelectedRowText(list, static_cast<int>(index), text, size) && text[0] != '[';
    };
    int selected = 0;
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH];
        selected += takeRow(i, text, sizeof text);
    }
    if (selected == 0) return false;

    char phrase[128];
    if (selected == 1) {
        lstrcpynA(phrase, LoadMessageText(MSG_DELETE_ONE_FILE), sizeof phrase);
    } else {
        FormatMessageText(phrase, sizeof phrase, MSG_DELETE_N_FILES, selected);
    }
    if (ShowMessage(mainWindow, MSG_DELETE_CONFIRM, MB_YESNO | MB_ICONQUESTION, phrase) != IDYES) return false;

    {
        PlatWaitCursor wait;
        char directory[MAX_PATH];
        if (PlatCurrentDirectory(directory, sizeof directory)) {
            for (LRESULT i = 0; i < count; ++i) {
                char text[MAX_PATH];
                char path[MAX_PATH];
                if (!takeRow(i, text, sizeof text) || !IsBareFileName(text)) continue;
                // A path too long is left alone: a cut one would name
                // another file. A file that cannot go (read-only, in use)
                // stays, and the others still go.
                if (JoinPath(path, directory, text)) DeleteFileA(path);
            }
        }
    }
    // The summary speaks of the files chosen, not of how many went.
    if (g_settings.PromptWhenDone) ShowBatchSummary(mainWindow, selected);
    return true;
}
