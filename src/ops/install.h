// Installing font files: each file is copied into the system's fonts
// directory, added to the graphics interface's font table and entered
// under the system's font registry key. Windows only.
#pragma once

#include <windows.h>

#include "ops/changes.h"

// Installs the file list's selected files, then the summary. Returns
// kChangedFonts when any file was handled (every program was told).
unsigned InstallSelectedFiles(HWND mainWindow);

// Installs the dropped files whose extension is "ttf" and passes over the
// rest; finishes the drop. Returns as InstallSelectedFiles.
unsigned InstallDroppedFiles(HWND mainWindow, HDROP drop);

// Installs one file. `file` is a full path when `fullPath` is set, else a
// bare name in the current directory. Every refusal and failure asks the
// user, with a box owned by `owner` (the main window, whose installed list
// is searched for the font's name), whether to go on; the result is 1 to go
// on with the next file and 0 to stop.
int InstallFontFile(HWND owner, const char* file, bool fullPath);

// True when the path's extension is "ttf" in any letter case.
bool HasTrueTypeExtension(const char* path);
