// Copying the files of installed fonts out of the fonts directory into the
// current directory, and deleting font files there. Windows only.
#pragma once

#include <windows.h>

#include "ops/changes.h"

// Copies the installed list's selected fonts into the current directory,
// then the summary. Returns kChangedFiles.
unsigned CopySelectedFonts(HWND mainWindow);

// Deletes the file list's selected files after asking. Returns
// kChangedFiles when it went ahead, nothing when no file was selected or
// the user declined.
unsigned DeleteSelectedFiles(HWND mainWindow);

// Copies the file of the installed font whose full name is `rowText` into
// the current directory, through the LZ expansion routines, so that a
// compressed file comes out expanded. An existing file there is asked about
// (Yes/No/Cancel) when PromptBeforeOverwrite is set, and is replaced only by
// a complete copy. Failures ask the user, with a box owned by `owner`,
// whether to go on; the result is 1 to go on with the next font and 0 to
// stop.
int CopyInstalledFont(HWND owner, const char* rowText);
