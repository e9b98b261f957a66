// Printed sample sheets of the fonts selected in one of the two lists.
// Windows only.
#pragma once

#include <windows.h>

// Asks for a printer with the system's print dialog (owned by list) and
// prints a framed cell for every selected row that can be shown, one print
// job per page, each named "Quillmere". fileList 0: the installed list, each
// row's entry naming the face; 1: the file list, each row a font file in the
// current directory, loaded only while its own cell is drawn. Rows whose
// font cannot be read, loaded or made are left out without a message.
// Returns 1 when the sheet was printed, 0 when the dialog was cancelled or
// the list could not be read.
int PrintSampleSheet(HWND list, int fileList);
