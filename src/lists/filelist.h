// The file list: the current directory's TrueType files, its
// subdirectories and the drives, in one list. Windows.
#pragma once

#include <windows.h>

// Attribute filter of ListDirectory for directory rows.
inline constexpr UINT kDirectoryFilter = DDL_EXCLUSIVE | DDL_DRIVES | DDL_DIRECTORY;

// Fills the list from the current directory; the caller has freed the
// previous rows' sample images. Every row's item data is 0 afterwards.
void FillFileList(HWND mainWindow, int listId);

// Appends the entries matching pattern in the current directory: files
// (filter 0) as their names, directories (kDirectoryFilter) as "[name]".
void ListDirectory(HWND mainWindow, int listId, UINT filter, const char* pattern);
