// The credits box of the about box: the program's credits and legal notices
// in one read-only text.
#include <cstring>

#include "info/aboutbox.h"
#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

// Messages MSG_CREDITS_FIRST to MSG_CREDITS_LAST joined; empty when there
// is no memory for them.
void SetCreditsText(HWND box) {
    size_t length = 0;
    for (UINT id = MSG_CREDITS_FIRST; id <= MSG_CREDITS_LAST; ++id) length += strlen(LoadMessageText(id));
    HGLOBAL block = GlobalAlloc(GPTR, length + 256);
    char* text = static_cast<char*>(block);
    if (!text) return;
    for (UINT id = MSG_CREDITS_FIRST; id <= MSG_CREDITS_LAST; ++id) lstrcatA(text, LoadMessageText(id));
    SetDlgItemTextA(box, IDC_CREDITS_TEXT, text);
    GlobalFree(block);
}

INT_PTR OnInitDialog(HWND box) {
    SetCreditsText(box);
    SetFocus(GetDlgItem(box, IDOK));
    CentreOnScreen(box);
    // The focus was set here.
    return FALSE;
}

INT_PTR CALLBACK CreditsBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box);
    case WM_COMMAND:
        // "Done" alone ends the box; Escape does nothing.
        if (LOWORD(wParam) == IDOK) EndDialog(box, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowCredits(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CREDITS_BOX), owner, CreditsBoxProc, 0);
}
