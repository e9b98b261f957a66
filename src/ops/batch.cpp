// The pieces that the batch operations share.
#include "ops/batch.h"

#include <cstring>

#include "app/messages.h"
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
    if (count == 0) {
        lstrcpynA(phrase, LoadMessageText(MSG_SUMMARY_NO_FILES), sizeof phrase);
    } else if (count == 1) {
        lstrcpynA(phrase, LoadMessageText(MSG_SUMMARY_ONE_FILE), sizeof phrase);
    } else {
        FormatMessageText(phrase, sizeof phrase, MSG_SUMMARY_N_FILES, count);
    }
    ShowMessage(owner, MSG_SUMMARY_PROCESSED, MB_OK | MB_ICONINFORMATION, phrase);
}

void BroadcastFontChange() { SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

bool JoinPath(char* out, const char* directory, const char* name) {
    const size_t length = strlen(directory);
    const bool needSeparator = length > 0 && directory[length - 1] != '\\';
    if (length + (needSeparator ? 1 : 0) + strlen(name) >= MAX_PATH) {
        out[0] = 0;
        return false;
    }
    memcpy(out, directory, length);
    size_t at = length;
    if (needSeparator) out[at++] = '\\';
    strcpy(out + at, name);
    return true;
}

#ifdef QM_FAULT_INJECTION
namespace {
OpsFault g_armed = OpsFault::None;
DWORD g_error = 0;
}  // namespace

void OpsFailNext(OpsFault fault, DWORD error) {
    g_armed = fault;
    g_error = error;
}

bool OpsFaultFires(OpsFault fault) {
    if (fault == OpsFault::None || g_armed != fault) return false;
    g_armed = OpsFault::None;
    SetLastError(g_error);
    return true;
}
#endif
