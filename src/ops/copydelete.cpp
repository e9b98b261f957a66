// Copying installed fonts out and deleting font files, one at a time and
// in batches.
#include "ops/copydelete.h"

#include <lzexpand.h>

#include <cstring>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "ops/batch.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "platform/win32calls.h"
#include "resources/resource.h"

namespace {

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
        copied = LZStart() != 0 && PlatCopyLz(from, to) >= 1;
        LZClose(to);
    }
    LZClose(from);
    // Replaced only now that the copy is whole.
    if (copied && PlatReplaceFile(partial, destination)) return 1;
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
    lstrcpynA(shownDirectory, directory, sizeof shownDirectory);
    AppendSeparator(shownDirectory, sizeof shownDirectory);
    auto askAboutFailure = [&] {
        return ShowMessage(owner, MSG_COPY_FAILED, kGoOnQuestion, rowText, fileName, shownDirectory) == IDYES ? 1 : 0;
    };

    char source[MAX_PATH];
    char destination[MAX_PATH];
    if (directory[0] == 0 || !IsBareFileName(fileName) || !JoinPath(source, sizeof source, FontsDirectory(), fileName) ||
        !JoinPath(destination, sizeof destination, directory, fileName)) {
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

unsigned CopySelectedFonts(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_INSTALLED_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return kChangedNothing;
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
    return kChangedFiles;
}

unsigned DeleteSelectedFiles(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_FILE_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return kChangedNothing;
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
    if (selected == 0) return kChangedNothing;

    char phrase[128];
    FormatCountPhrase(phrase, sizeof phrase, selected, MSG_DELETE_ONE_FILE, MSG_DELETE_ONE_FILE, MSG_DELETE_N_FILES);
    if (ShowMessage(mainWindow, MSG_DELETE_CONFIRM, MB_YESNO | MB_ICONQUESTION, phrase) != IDYES) {
        return kChangedNothing;
    }

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
                if (JoinPath(path, sizeof path, directory, text)) PlatDeleteFile(path);
            }
        }
    }
    // The summary speaks of the files chosen, not of how many went.
    if (g_settings.PromptWhenDone) ShowBatchSummary(mainWindow, selected);
    return kChangedFiles;
}
