// Moving between directories and drives, and the recent directories of the
// File menu.
#pragma once

#include <windows.h>

#include "config/settings.h"  // kMaxRecentDirectories

// Position of the first recent entry in the File menu, after "S&etup", a
// separator, "E&xit" and a separator.
inline constexpr int kFirstRecentPosition = 4;

// True when the drive (0 for A) cannot be used now; the system's
// critical-error dialog is kept away while it is probed.
bool DriveIsOffline(int drive);

// Makes the path's drive and directory current.
void SetCurrentDirectoryFromPath(const char* path);

// Records a visited directory (or the current one, for nullptr) as the
// newest recent entry; only drive-letter paths are kept.
void AddRecentDirectory(HWND mainWindow, const char* path);
void RenumberRecentDirectories(HWND mainWindow);
// Adds the recent entries stored in the settings file.
void LoadRecentDirectories(HWND mainWindow);

// Enters the file list's current row when it is a directory or drive row;
// false (nothing done) for a file row, whose name goes to fileName
// (MAX_PATH bytes).
bool EnterFileListRow(HWND mainWindow, char* fileName);

// A recent-directory command: go there, or with Shift held drop the entry.
void ChooseRecentDirectory(HWND mainWindow, int commandId);

// The recent entries' texts, oldest first, for the settings file.
int RecentDirectoryTexts(HWND mainWindow, char texts[][MAX_PATH + 1], int max);
