// The about box: the bench picture, the program's name and version, who owns
// it and where to find and write to its authors, light on black, with a
// turning quill on screens that show more than 256 colours.
#include "info/aboutbox.h"

#include <cstdio>

#include "info/pictures.h"
#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kEmblemTimer = 1;
constexpr UINT kFrameInterval = 100;  // milliseconds
constexpr COLORREF kTextColour = RGB(245, 245, 234);

// Everything the box makes lives as long as the box: made when it opens,
// freed when it is destroyed.
struct AboutBoxState {
    HBRUSH black = nullptr;
    HFONT titleFont = nullptr;    // the name and version
    HFONT noticeFont = nullptr;   // ownership and web page
    HFONT supportFont = nullptr;  // the support notice
    const BITMAPINFOHEADER* frames[EMBLEM_FRAME_COUNT] = {};
    bool animated = false;
    int frame = 0;
};

AboutBoxState* StateOf(HWND box) { return reinterpret_cast<AboutBoxState*>(GetWindowLongPtrA(box, GWLP_USERDATA)); }

HFONT CreateBoxFont(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, face);
}

void SetFont(HWND box, int id, HFONT font) {
    SendDlgItemMessageA(box, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The template's title line holds the version's placeholders.
void FormatTitle(HWND box) {
    char pattern[128] = "", title[160];
    GetDlgItemTextA(box, IDC_ABOUT_TITLE, pattern, sizeof pattern);
    snprintf(title, sizeof title, pattern, QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_LETTER);
    SetDlgItemTextA(box, IDC_ABOUT_TITLE, title);
}

INT_PTR OnInitDialog(HWND box, AboutBoxState* state) {
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->black = CreateSolidBrush(RGB(0, 0, 0));
    FormatTitle(box);
    SetDlgItemTextA(box, IDC_ABOUT_SUPPORT, LoadMessageText(MSG_SUPPORT_NOTICE));
    SetFocus(GetDlgItem(box, IDOK));
    state->titleFont = CreateBoxFont(32, FW_BOLD, "Times New Roman");
    state->noticeFont = CreateBoxFont(18, FW_BOLD, "ARIAL");
    state->supportFont = CreateBoxFont(15, FW_NORMAL, "ARIAL");
    SetFont(box, IDC_ABOUT_TITLE, state->titleFont);
    SetFont(box, IDC_ABOUT_OWNERS, state->noticeFont);
    SetFont(box, IDC_ABOUT_WEB_PAGE, state->noticeFont);
    SetFont(box, IDC_ABOUT_SUPPORT, state->supportFont);
    // On palette screens the quill would take colours from the picture.
    if (ScreenColourDepth() > 8) {
        for (int i = 0; i < EMBLEM_FRAME_COUNT; ++i) state->frames[i] = LoadPicture(IDB_EMBLEM_FRAME_FIRST + i);
        state->animated = true;
        SetTimer(box, kEmblemTimer, kFrameInterval, nullptr);
    }
    CentreOnScreen(box);
    // The focus was set here.
    return FALSE;
}

INT_PTR OnDrawItem(HWND box, const DRAWITEMSTRUCT* item) {
    const AboutBoxState* state = StateOf(box);
    if (item->CtlType != ODT_BUTTON || !state) return FALSE;
    const int x = item->rcItem.left, y = item->rcItem.top;
    if (item->CtlID == IDC_ABOUT_PICTURE) {
        DrawPalettePicture(item->hDC, x, y, LoadPicture(IDB_ABOUT_PICTURE), SRCCOPY);
    } else if (item->CtlID == IDC_ABOUT_EMBLEM && state->animated) {
        DrawPalettePicture(item->hDC, x, y, state->frames[state->frame], SRCCOPY);
    }
    return TRUE;
}

INT_PTR OnTimer(HWND box, WPARAM id) {
    AboutBoxState* state = StateOf(box);
    if (id != kEmblemTimer || !state) return FALSE;
    InvalidateRect(GetDlgItem(box, IDC_ABOUT_EMBLEM), nullptr, FALSE);
    state->frame = state->frame >= EMBLEM_FRAME_COUNT - 1 ? 0 : state->frame + 1;
    return TRUE;
}

INT_PTR OnControlColour(HWND box, HDC dc) {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    const AboutBoxState* state = StateOf(box);
    return reinterpret_cast<INT_PTR>(state && state->black ? state->black : GetStockObject(BLACK_BRUSH));
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDOK: EndDialog(box, 1); break;
    case IDC_ABOUT_CREDITS: ShowCredits(box); break;
    }
    // Escape (IDCANCEL) and the picture do nothing: only OK ends the box.
    return TRUE;
}

// Frees what the box made, whichever way it goes.
INT_PTR OnDestroy(HWND box) {
    AboutBoxState* state = StateOf(box);
    if (!state) return FALSE;
    if (state->animated) {
        KillTimer(box, kEmblemTimer);
        // The frames are the program's resources: nothing to free.
        for (auto& frame : state->frames) frame = nullptr;
        state->animated = false;
    }
    const HGDIOBJ made[] = {state->black, state->titleFont, state->noticeFont, state->supportFont};
    for (HGDIOBJ object : made) {
        if (object) DeleteObject(object);
    }
    *state = AboutBoxState{};
    SetWindowLongPtrA(box, GWLP_USERDATA, 0);
    return FALSE;
}

INT_PTR CALLBACK AboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) return OnControlColour(box, reinterpret_cast<HDC>(wParam));
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box, reinterpret_cast<AboutBoxState*>(lParam));
    case WM_DRAWITEM: return OnDrawItem(box, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_TIMER: return OnTimer(box, wParam);
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    case WM_DESTROY: return OnDestroy(box);
    }
    return FALSE;
}

}  // namespace

bool ShowAboutBox(HWND owner) {
    AboutBoxState state;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT_BOX), owner, AboutBoxProc,
                           reinterpret_cast<LPARAM>(&state)) == 1;
}
