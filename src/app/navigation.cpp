// Directory navigation and the recent directories of the File menu.
#include "app/navigation.h"

#include <direct.h>
#include <stdlib.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "config/recentdirs.h"
#include "lists/installedlist.h"
#include "platform/paths.h"
#include "resources/resource.h"

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
    AppendSeparator(copy, sizeof copy);
    char drive[_MAX_DRIVE], directory[_MAX_DIR];
    _splitpath(copy, drive, directory, nullptr, nullptr);
    if (drive[0]) _chdrive(toupper(static_cast<unsigned char>(drive[0])) - 'A' + 1);
    const size_t length = strlen(directory);
    if (length > 1 && directory[length - 1] == '\\') directory[length - 1] = 0;
    if (directory[0]) _chdir(directory);
}

Move EnterFolderRow(const char* row) {
    const size_t length = strlen(row);
    if (length > 0 && row[length - 1] == '\\') {
        char previous[MAX_PATH];
        CurrentDirectoryWithSeparator(previous, sizeof previous);
        char directory[MAX_PATH];
        lstrcpynA(directory, row, static_cast<int>(length < sizeof directory ? length : sizeof directory));
        _chdir(directory);
        char now[MAX_PATH];
        CurrentDirectoryWithSeparator(now, sizeof now);
        if (lstrcmpiA(now, FontsDirectory()) != 0) return Move::Done;
        SetCurrentDirectoryFromPath(previous);
        return Move::FontsDirectoryRefused;
    }
    const int drive = toupper(static_cast<unsigned char>(row[0])) - 'A';
    if (DriveIsOffline(drive)) return Move::DriveOffLine;
    // The drive's own current directory, the one last used on it.
    _chdrive(drive + 1);
    return Move::Done;
}

Move GoToDirectory(const char* path) {
    if (DriveIsOffline(tolower(static_cast<unsigned char>(path[0])) - 'a')) return Move::DriveOffLine;
    SetCurrentDirectoryFromPath(path);
    return Move::Done;
}

void RebuildRecentMenu(HWND mainWindow) {
    HMENU menu = GetSubMenu(GetMenu(mainWindow), MENU_POS_FILE);
    while (GetMenuItemCount(menu) > kFirstRecentPosition) DeleteMenu(menu, kFirstRecentPosition, MF_BYPOSITION);
    for (int i = 0; i < g_recent.count; ++i) AppendMenuA(menu, MF_STRING, IDM_RECENT_FIRST + i, g_recent.paths[i]);
}
