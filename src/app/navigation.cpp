// Directory navigation and the recent directories.
#include "app/navigation.h"

#include <direct.h>
#include <stdlib.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/appstate.h"
#include "app/commands.h"
#include "app/messages.h"
#include "app/winhelpers.h"
#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "resources/resource.h"

namespace {

// Menu texts are read with this many bytes, terminator included.
constexpr int kMenuTextSize = 144;

HMENU FileMenu(HWND mainWindow) { return GetSubMenu(GetMenu(mainWindow), MENU_POS_FILE); }

void RefillFileList(HWND mainWindow) {
    FreeFileSamples(mainWindow, IDC_FILE_LIST);
    FillFileList(mainWindow, IDC_FILE_LIST);
}

void DeleteRecentEntry(HWND mainWindow, int index) {
    DeleteMenu(FileMenu(mainWindow), IDM_RECENT_FIRST + index, MF_BYCOMMAND);
    --g_app.recentCount;
    RenumberRecentDirectories(mainWindow);
}

}  // namespace

bool DriveIsOffline(int drive) {
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
    char probe[16];
    snprintf(probe, sizeof probe, "%c:\\TEMP.DAT", 'A' + drive);
    // The system's own error number tells "no such file" (the drive
    // answered) from "path not found", "access denied" and "invalid drive".
    _doserrno = 0;
    FILE* file = fopen(probe, "r");
    const unsigned long error = file ? 0 : _doserrno;
    if (file) fclose(file);
    SetErrorMode(previous);
    return error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_DRIVE;
}

void SetCurrentDirectoryFromPath(const char* path) {
    char copy[MAX_PATH + 1];
    lstrcpynA(copy, path, MAX_PATH);
    size_t length = strlen(copy);
    if (length > 0 && copy[length - 1] != '\\') {
        copy[length++] = '\\';
        copy[length] = 0;
    }
    char drive[_MAX_DRIVE], directory[_MAX_DIR];
    _splitpath(copy, drive, directory, nullptr, nullptr);
    if (drive[0]) _chdrive(toupper(static_cast<unsigned char>(drive[0])) - 'A' + 1);
    const size_t dirLength = strlen(directory);
    if (dirLength > 1 && directory[dirLength - 1] == '\\') directory[dirLength - 1] = 0;
    if (directory[0]) _chdir(directory);
}

void AddRecentDirectory(HWND mainWindow, const char* path) {
    char visited[MAX_PATH] = "";
    if (path) {
        lstrcpynA(visited, path, sizeof visited);
    } else if (!_getcwd(visited, sizeof visited)) {
        return;
    }
    // Only paths that start with a drive letter: no relative or network ones.
    if (!isalpha(static_cast<unsigned char>(visited[0])) || visited[1] != ':') return;
    HMENU menu = FileMenu(mainWindow);
    for (int i = 0; i < g_app.recentCount; ++i) {
        char text[kMenuTextSize] = "";
        GetMenuStringA(menu, IDM_RECENT_FIRST + i, text, sizeof text, MF_BYCOMMAND);
        if (lstrcmpiA(text, visited) == 0) {
            DeleteRecentEntry(mainWindow, i);
            break;
        }
    }
    if (g_app.recentCount >= kMaxRecentDirectories) DeleteRecentEntry(mainWindow, 0);
    AppendMenuA(menu, MF_STRING, IDM_RECENT_FIRST + g_app.recentCount, visited);
    ++g_app.recentCount;
}

void RenumberRecentDirectories(HWND mainWindow) {
    HMENU menu = FileMenu(mainWindow);
    for (int i = 0; i < g_app.recentCount; ++i) {
        char text[kMenuTextSize] = "";
        GetMenuStringA(menu, kFirstRecentPosition + i, text, sizeof text, MF_BYPOSITION);
        ModifyMenuA(menu, kFirstRecentPosition + i, MF_BYPOSITION | MF_STRING, IDM_RECENT_FIRST + i, text);
    }
}

void LoadRecentDirectories(HWND mainWindow) {
    char paths[kMaxRecentDirectories * 4][kSettingsTextSize];
    const int count = LoadRecentDirectories(paths, kMaxRecentDirectories * 4);
    for (int i = 0; i < count; ++i) AddRecentDirectory(mainWindow, paths[i]);
}

bool EnterFileListRow(HWND mainWindow, char* fileName) {
    char row[MAX_PATH] = "";
    if (!DlgDirSelectExA(mainWindow, row, MAX_PATH, IDC_FILE_LIST)) {
        lstrcpynA(fileName, row, MAX_PATH);
        return false;
    }
    char previous[MAX_PATH];
    CurrentDirectoryWithBackslash(previous);
    const size_t length = strlen(row);
    if (length > 0 && row[length - 1] == '\\') {
        row[length - 1] = 0;
        _chdir(row);
        char now[MAX_PATH];
        CurrentDirectoryWithBackslash(now);
        if (lstrcmpiA(now, FontsDirectory()) == 0) {
            SetCurrentDirectoryFromPath(previous);
            ShowMessage(mainWindow, MSG_FONTS_DIRECTORY_DENIED, MB_OK | MB_ICONINFORMATION);
        }
    } else {
        const int drive = toupper(static_cast<unsigned char>(row[0])) - 'A';
        if (DriveIsOffline(drive)) {
            ShowMessage(mainWindow, MSG_DRIVE_OFF_LINE, MB_OK | MB_ICONINFORMATION);
        } else {
            _chdrive(drive + 1);
        }
    }
    SetCopyToLabel(mainWindow);
    AddRecentDirectory(mainWindow, nullptr);
    RefillFileList(mainWindow);
    SetMainTitle(mainWindow);
    RefreshSelectionStatus(mainWindow);
    return true;
}

void ChooseRecentDirectory(HWND mainWindow, int commandId) {
    char text[kMenuTextSize] = "";
    GetMenuStringA(FileMenu(mainWindow), commandId, text, sizeof text, MF_BYCOMMAND);
    if (GetKeyState(VK_SHIFT) < 0) {
        DeleteRecentEntry(mainWindow, commandId - IDM_RECENT_FIRST);
        return;
    }
    if (DriveIsOffline(tolower(static_cast<unsigned char>(text[0])) - 'a')) {
        ShowMessage(mainWindow, MSG_DRIVE_OFF_LINE, MB_OK | MB_ICONINFORMATION);
        return;
    }
    SetCurrentDirectoryFromPath(text);
    RefillFileList(mainWindow);
    SetMainTitle(mainWindow);
    SetCopyToLabel(mainWindow);
    AddRecentDirectory(mainWindow, nullptr);
}

int RecentDirectoryTexts(HWND mainWindow, char texts[][MAX_PATH + 1], int max) {
    int count = 0;
    for (int i = 0; i < g_app.recentCount && count < max; ++i) {
        if (GetMenuStringA(FileMenu(mainWindow), IDM_RECENT_FIRST + i, texts[count], MAX_PATH + 1, MF_BYCOMMAND) > 0) {
            ++count;
        }
    }
    return count;
}
