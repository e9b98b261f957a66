// The program's messages: every text the user reads in a message box or a
// status line is an entry of the string table (ids in resources/resource.h),
// loaded and filled in here; only the user-interface code shows boxes.
// Windows only.
#pragma once

#include <windows.h>

#include <cstddef>

// Shown in place of a message whose entry is missing from the string table.
inline constexpr char kStringTableError[] = "String table error - this application may be damaged";

// Caption of every message box.
inline constexpr char kMessageCaption[] = "Message";

// The text of message `id`, or kStringTableError when the table has no such
// entry. One static buffer, overwritten by the next call: copy the text
// before loading another.
const char* LoadMessageText(UINT id);

// Message `id` filled in with printf-style arguments into `out` (always
// terminated, cut at `size` - 1 characters). Returns `out`.
char* FormatMessageText(char* out, size_t size, UINT id, ...);

// A count in words, into `out`: message `none` for 0, `one` for 1, and
// message `many` filled in with the count otherwise ("No files", "One
// file", "5 files"). Returns `out`.
char* FormatCountPhrase(char* out, size_t size, int count, UINT none, UINT one, UINT many);

// Message `id` filled in with printf-style arguments, shown with
// MessageBoxA(owner, text, "Message", style). Returns MessageBoxA's result
// (IDOK, IDYES, IDNO, IDCANCEL, or 0 when the box could not be shown).
int ShowMessage(HWND owner, UINT id, UINT style, ...);
