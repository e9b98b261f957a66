// What the batch operations on the lists' selections have in common: which
// rows they take, the question that decides whether they go on, the
// summary at their end and the notice that the system's fonts changed.
// Windows only.
#pragma once

#include <windows.h>

#include <cstddef>

// Every question of a one-item step: Yes goes on with the next item.
inline constexpr UINT kGoOnQuestion = MB_YESNO | MB_ICONQUESTION;

// True when the row is selected and its text fits into `out` (`size`
// bytes) and could be read; only such rows are taken by a batch.
bool SelectedRowText(HWND list, int index, char* out, size_t size);

// "%s processed." with "No files", "One file" or "%d files", as an
// information box owned by `owner`. The caller decides by PromptWhenDone.
void ShowBatchSummary(HWND owner, int count);

// Tells every top-level window, this program's own included, that the
// system's font table changed; returns when all of them have handled it.
void BroadcastFontChange();

// Joins a directory and a name into `out` (MAX_PATH bytes), with a
// backslash only where the directory does not end in one. False, with an
// empty result, when the path does not fit: a cut path would name another
// file.
bool JoinPath(char* out, const char* directory, const char* name);

#ifdef QM_FAULT_INJECTION
// Tests: the next system call of one kind made by install, remove or copy
// fails with `error`, as the system would report it. A failing copy (CopyFile,
// LzCopy) first copies the file, like a copy that broke off after writing
// part of it.
enum class OpsFault { None, CopyFile, OpenFontKey, SetFontValue, DeleteFile, LzCopy };
void OpsFailNext(OpsFault fault, DWORD error);
// True once, for the armed kind, and sets the last error.
bool OpsFaultFires(OpsFault fault);
#endif
