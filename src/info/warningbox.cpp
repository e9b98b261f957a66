// The warning box shown before the manual opens in the web browser.
#include <windows.h>

#include <cstdint>

#include "platform/winhelpers.h"
#include "info/manual.h"
#include "resources/resource.h"

namespace {

struct WarningRequest {
    const char* text;
    uint32_t* setting;
};

WarningRequest* RequestOf(HWND box) { return reinterpret_cast<WarningRequest*>(GetWindowLongPtrA(box, GWLP_USERDATA)); }

INT_PTR OnInitDialog(HWND box, LPARAM parameter) {
    auto* request = reinterpret_cast<WarningRequest*>(parameter);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(request));
    SetDlgItemTextA(box, IDC_WARNING_TEXT, request->text);
    CheckDlgButton(box, IDC_WARNING_AGAIN, BST_CHECKED);
    SetFocus(GetDlgItem(box, IDOK));
    CentreOnScreen(box);
    // The focus was set here.
    return FALSE;
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDC_WARNING_AGAIN:
        // Takes effect at once; the settings file gets it at exit.
        *RequestOf(box)->setting = IsDlgButtonChecked(box, IDC_WARNING_AGAIN) == BST_CHECKED ? 1 : 0;
        return TRUE;
    case IDOK: EndDialog(box, IDOK); return TRUE;
    }
    // Escape (IDCANCEL) and Help do nothing: only "Ok" ends the box.
    return TRUE;
}

INT_PTR CALLBACK WarningBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(HandleControlColour(box, reinterpret_cast<HDC>(wParam)));
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box, lParam);
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

void ShowWarning(HWND owner, const char* text, uint32_t* setting) {
    if (!*setting) return;
    WarningRequest request = {text, setting};
    DialogBoxParamA(GetModuleHandleA(nullptr), IDD_WARNING_BOX, owner, WarningBoxProc, reinterpret_cast<LPARAM>(&request));
    if (owner) UpdateWindow(owner);
}
