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
