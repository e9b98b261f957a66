// The pieces that the batch operations share.
#include "ops/batch.h"

#include "platform/messages.h"
#include "resources/resource.h"

bool SelectedRowText(HWND list, int index, char* out, size_t size) {
    if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0) return false;
    // LB_GETTEXT has no size argument: a longer text would overrun `out`.
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || static_cast<size_t>(length) >= size) return false;
    return SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out)) != LB_ERR;
}

void ShowBatchSummary(HWND owner, int count) {
    char phrase[128];
    FormatCountPhrase(phrase, sizeof phrase, count, MSG_SUMMARY_NO_FILES, MSG_SUMMARY_ONE_FILE, MSG_SUMMARY_N_FILES);
    ShowMessage(owner, MSG_SUMMARY_PROCESSED, MB_OK | MB_ICONINFORMATION, phrase);
}

void BroadcastFontChange() { SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }
