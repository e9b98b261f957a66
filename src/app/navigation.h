// Moving between directories and drives, and the recent directories of
// the File menu. A move reports how it went; the command layer shows the
// message and what the move changed.
#pragma once

#include <windows.h>

// Position of the first recent entry in the File menu, after "S&etup", a
// separator, "E&xit" and a separator.
inline constexpr int kFirstRecentPosition = 4;

// True when the drive (0 for A) cannot be used now; the system's
// critical-error dialog is kept away while it is probed.
bool DriveIsOffline(int drive);

// Makes the path's drive and directory current; a drive or directory that
// cannot be entered is passed over.
void SetCurrentDirectoryFromPath(const char* path);

enum class Move {
    Done,
    FontsDirectoryRefused,  // the previous directory is current again
    DriveOffLine,           // nothing moved
};

// Enters a directory or drive row as DlgDirSelectExA gives it: "name\"
// for a directory (the parent as "..\"), "x:" for a drive.
Move EnterFolderRow(const char* row);

// Moves to a path that begins with a drive letter, unless the drive is off
// line.
Move GoToDirectory(const char* path);

// The File menu's recent entries made anew from g_recent: oldest first,
// command ids from IDM_RECENT_FIRST up.
void RebuildRecentMenu(HWND mainWindow);
