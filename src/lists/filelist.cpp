// The file list.
//
// Rows are added at the end (the list box's own sorting never applies) and
// then put in the program's order: files and directories together by
// lstrcmpA, drive rows left at the end where they were added.
#include "lists/filelist.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lists/rowdata.h"
#include "lists/rowsort.h"
#include "platform/platform.h"

namespace {

int CompareRows(const char* a, const char* b) { return lstrcmpA(a, b); }

void AppendRow(HWND list, const char* text) { SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)); }

// One row per drive, "[-x-]", in drive-letter order, for a system whose
// LB_DIR gives none for an empty file specification.
void AppendLogicalDrives(HWND list) {
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(drives & (1u << letter))) continue;
        char row[8];
        snprintf(row, sizeof row, "[-%c-]", 'a' + letter);
        AppendRow(list, row);
    }
}

void AppendDrives(HWND list) {
    const LRESULT before = SendMessageA(list, LB_GETCOUNT, 0, 0);
    SendMessageA(list, LB_DIR, kDirectoryFilter, reinterpret_cast<LPARAM>(""));
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) == before) AppendLogicalDrives(list);
}

// Reads every row back, sorts, and puts them in again in that order.
void SortFileRows(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR || count < 2) return;
    const size_t n = static_cast<size_t>(count);
    char(*rows)[kRowSlot] = static_cast<char(*)[kRowSlot]>(calloc(n, kRowSlot));
    if (!rows) return;
    for (size_t i = 0; i < n; ++i) {
        // A row that does not fit its slot would overrun it: leave the order.
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(kRowSlot)) {
            free(rows);
            return;
        }
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(rows[i]));
    }
    SortRowsAroundDrives(rows, n, CompareRows);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, LB_INITSTORAGE, n, n * 16);
    for (size_t i = 0; i < n; ++i) AppendRow(list, rows[i]);
    free(rows);
}

}  // namespace

void ListDirectory(HWND mainWindow, int listId, UINT filter, const char* pattern) {
    HWND list = GetDlgItem(mainWindow, listId);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    const bool directories = filter == kDirectoryFilter;
    do {
        const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isDirectory != directories) continue;
        if (directories && strcmp(found.cFileName, ".") == 0) continue;
        // A name that is its own short name has no separate short form and
        // is shown in lower case; a long name keeps its case.
        char name[MAX_PATH];
        lstrcpynA(name, found.cFileName, sizeof name);
        if (found.cAlternateFileName[0] == 0) CharLowerA(name);
        char row[kRowSlot];
        snprintf(row, sizeof row, directories ? "[%s]" : "%s", name);
        AppendRow(list, row);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void FillFileList(HWND mainWindow, int listId) {
    PlatWaitCursor wait;
    HWND list = GetDlgItem(mainWindow, listId);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListDirectory(mainWindow, listId, 0, "*.TTF");
    ListDirectory(mainWindow, listId, kDirectoryFilter, "*.*");
    AppendDrives(list);
    SetListRowHeight(mainWindow, listId);
    SortFileRows(list);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}
