// The command layer of the main window: every command, notification,
// drop and font-table change arrives here, goes to the part that carries
// it out, and here alone is decided what the window shows anew afterwards.
#pragma once

#include <windows.h>

// Recounts both lists' selections: status lines, and the buttons and menu
// items that need a selected row. Directory and drive rows of the file list
// are deselected and never counted.
void RefreshSelectionStatus(HWND mainWindow);

// WM_COMMAND: every id, known or not, ends here and the window returns 0.
void OnMainCommand(HWND mainWindow, int id, int code);

// WM_PARENTNOTIFY: a right click on a list opens that list's menu; true
// when handled, false for the default processing.
bool OnMainParentNotify(HWND mainWindow, WPARAM event);

// WM_FONTCHANGE: the installed list is built anew.
void OnMainFontChange(HWND mainWindow);

// WM_DROPFILES: the dropped font files are installed.
void OnMainDropFiles(HWND mainWindow, HDROP drop);
