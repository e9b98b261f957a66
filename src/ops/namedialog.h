// What the rename and change-font-name dialogs share: both show a current
// name, take a new one, and run once per selected file of the file list.
#pragma once

#include <windows.h>

#include "ops/changes.h"

// Renames each selected file of the file list, one dialog per file.
// Returns kChangedFiles.
unsigned RenameSelectedFiles(HWND mainWindow);

// Rewrites the name each selected font file carries inside it, one dialog
// per file. Returns kChangedFiles.
unsigned ChangeSelectedFontNames(HWND mainWindow);

// Shows current in the dialog's current-name field and as the editable new
// name (selected, with the focus), adds fullName (if any) to the caption,
// and centres the dialog.
void ShowNameDialogNames(HWND box, const char* current, const char* fullName);

// Cancel and Abort end the dialog with their own id; true when id was one
// of them.
bool EndNameDialogOnCancel(HWND box, int id);

// Runs the dialog (its template and procedure) for each selected file row
// in turn, the row's file name as its parameter, until one ends with Abort.
// Returns kChangedFiles.
unsigned RunNameDialogForSelectedFiles(HWND mainWindow, const char* dialogTemplate, DLGPROC procedure);
