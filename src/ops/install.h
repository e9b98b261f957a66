// Installing font files: each file is copied into the system's fonts
// directory, added to the graphics interface's font table and entered
// under the system's font registry key. The batches over the file list's
// selection and over dropped files are declared in app/operations.h.
// Windows only.
#pragma once

#include <windows.h>

// Installs one file. `file` is a full path when `fullPath` is set, else a
// bare name in the current directory. Every refusal and failure asks the
// user, with a box owned by `owner` (the main window, whose installed list
// is searched for the font's name), whether to go on; the result is 1 to go
// on with the next file and 0 to stop.
int InstallFontFile(HWND owner, const char* file, bool fullPath);

// True when the path's extension is "ttf" in any letter case.
bool HasTrueTypeExtension(const char* path);
