// The font sample window and the two ways into it: a double click on an
// installed font, and one on a font file, which is loaded for as long as
// the window is open.
#include "samples/samplewindow.h"

#include <cstring>

#include "platform/appstate.h"
#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "config/settings.h"
#include "lists/installedlist.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"
#include "truetype/tempfont.h"

namespace {

// Room for the sample and notice texts; a piece that would not fit is left
// out rather than cut, so what is shown is always whole.
constexpr size_t kTextCapacity = 32768;
constexpr size_t kTextLimit = kTextCapacity - 1;

// The notice of a font file, made fit for the edit control.
constexpr size_t kNoticeCapacity = 1024;

bool Present(const char* text) { return text && text[0]; }

// Appends piece when it and what is there stay below the limit.
void AppendPiece(char* buffer, const char* piece) {
    if (!piece) return;
    const size_t have = strlen(buffer), add = strlen(piece);
    if (have + add < kTextLimit) memcpy(buffer + have, piece, add + 1);
}

void SetCaption(HWND dialog, const SampleRequest& request) {
    char caption[2 * MAX_PATH + 8] = "";
    if (Present(request.fullName)) lstrcpynA(caption, request.fullName, MAX_PATH);
    if (Present(request.location)) {
        if (caption[0]) lstrcatA(caption, " -- ");
        const size_t have = strlen(caption);
        lstrcpynA(caption + have, request.location, static_cast<int>(sizeof caption - have));
    }
    SetWindowTextA(dialog, caption);
}

HFONT CreateSampleFont(const SampleRequest& request) {
    const char* face = Present(request.face) ? request.face : request.fullName;
    return CreateFontA(static_cast<int>(g_settings.SampleFontSize), 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       face ? face : "");
}

void FillSampleText(char* buffer, const SampleRequest& request) {
    buffer[0] = 0;
    if (Present(request.fullName)) {
        AppendPiece(buffer, request.fullName);
        AppendPiece(buffer, "\r\n\r\n");
    }
    // One blank after each character lets the edit control wrap the lines.
    for (int code = 32; code <= 255; ++code) {
        const char piece[3] = {static_cast<char>(code), ' ', 0};
        AppendPiece(buffer, piece);
    }
    AppendPiece(buffer, "\r\n\r\n");
    AppendPiece(buffer, g_settings.FontSampleText);
}

// Takes the notice box away and lets the sample reach down to where the
// notice box ended.
void RemoveNoticeBox(HWND dialog) {
    HWND sample = GetDlgItem(dialog, IDC_SAMPLE_TEXT);
    HWND notice = GetDlgItem(dialog, IDC_SAMPLE_NOTICE);
    if (!sample || !notice) return;
    RECT sampleRect, noticeRect;
    GetWindowRect(sample, &sampleRect);
    GetWindowRect(notice, &noticeRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&sampleRect), 2);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&noticeRect), 2);
    DestroyWindow(notice);
    MoveWindow(sample, sampleRect.left, sampleRect.top, sampleRect.right - sampleRect.left,
               noticeRect.bottom - sampleRect.top, TRUE);
}

void FillTexts(HWND dialog, const SampleRequest& request) {
    HGLOBAL block = GlobalAlloc(GHND, kTextCapacity);
    if (!block) return;  // the template's texts say the sample cannot be shown
    {
        LockedGlobal text(block);
        if (text) {
            char* buffer = reinterpret_cast<char*>(text.get());
            FillSampleText(buffer, request);
            SetDlgItemTextA(dialog, IDC_SAMPLE_TEXT, buffer);
            if (Present(request.notice)) {
                buffer[0] = 0;
                AppendPiece(buffer, LoadMessageText(MSG_COPYRIGHT_PREFIX));
                AppendPiece(buffer, request.notice);
                SetDlgItemTextA(dialog, IDC_SAMPLE_NOTICE, buffer);
            } else {
                RemoveNoticeBox(dialog);
            }
        }
    }
    GlobalFree(block);
}

COLORREF SampleColour() {
    // The stored default stands for the system's own text colour.
    return g_settings.SampleFontColour == 0xFFFFFFFFu ? GetSysColor(COLOR_WINDOWTEXT) : g_settings.SampleFontColour;
}

}  // namespace

static INT_PTR OnInitDialog(HWND dialog, const SampleRequest* request) {
    if (!request) return FALSE;
    SetCaption(dialog, *request);
    // The window owns its sample font until it closes.
    HFONT font = CreateSampleFont(*request);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
    if (font) SendDlgItemMessageA(dialog, IDC_SAMPLE_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FillTexts(dialog, *request);
    // Nothing is selected or edited here, so no control takes the focus.
    SetFocus(nullptr);
    CentreOnScreen(dialog);
    return FALSE;
}

static INT_PTR OnControlColourStatic(HDC dc) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, SampleColour());
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

static INT_PTR OnSysCommand(HWND dialog, WPARAM command) {
    // Only the system menu's close ends the window; Enter and Escape do not.
    if ((command & 0xFFF0) != SC_CLOSE) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

static INT_PTR OnSetFocus() {
    // The focus that comes to the window itself stays there. The dialog
    // manager would hand it on to the sample box and select the box's
    // whole text; nothing here is edited, so nothing shows selected.
    return TRUE;
}

static INT_PTR OnNcDestroy(HWND dialog) {
    // Deleted only now, when the sample box that drew with it is gone.
    HFONT font = reinterpret_cast<HFONT>(SetWindowLongPtrA(dialog, GWLP_USERDATA, 0));
    if (font) DeleteObject(font);
    return FALSE;
}

static INT_PTR CALLBACK FontSampleBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const SampleRequest*>(lParam));
    case WM_CTLCOLORSTATIC:
        return OnControlColourStatic(reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(HandleControlColour(dialog, reinterpret_cast<HDC>(wParam)));
    case WM_SYSCOMMAND:
        return OnSysCommand(dialog, wParam);
    case WM_SETFOCUS:
        return OnSetFocus();
    case WM_NCDESTROY:
        return OnNcDestroy(dialog);
    }
    return FALSE;
}

void ShowSampleWindow(HWND owner, const SampleRequest& request) {
    DialogBoxParamA(g_app.instance, IDD_FONT_SAMPLE_BOX, owner, FontSampleBoxProc,
                    reinterpret_cast<LPARAM>(&request));
    UpdateWindow(owner);
}

void ShowInstalledFontSample(HWND mainWindow, int row) {
    HWND list = GetDlgItem(mainWindow, IDC_INSTALLED_LIST);
    // The row's own text, whole: a font's name is not a file name, so it
    // is never given a period or taken for a directory.
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (row < 0 || length == LB_ERR || length >= MAX_PATH) return;
    char fullName[MAX_PATH] = "";
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(fullName));

    // The font key holds a bare name inside the fonts folder; a font
    // registered from elsewhere keeps its whole path there.
    const char* file = FontFileOfInstalledFont(fullName);
    const bool wholePath = (file[0] && file[1] == ':') || (file[0] == '\\' && file[1] == '\\');
    char location[MAX_PATH] = "";
    if (!wholePath) lstrcpynA(location, FontsDirectory(), sizeof location);
    const size_t have = strlen(location);
    lstrcpynA(location + have, file, static_cast<int>(sizeof location - have));

    // A file that cannot be read leaves the notice empty: the window then
    // shows the sample alone.
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    display[0] = notice[0] = 0;
    ReadFontNames(display, notice, location);
    const SampleRequest request = {location, fullName, notice, nullptr, nullptr};
    ShowSampleWindow(mainWindow, request);
}

void ShowFileSample(HWND mainWindow, const char* fileName) {
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    if (!ReadFontNames(display, notice, fileName)) {
        ShowMessage(mainWindow, MSG_TTF_ACCESS_ERROR, MB_OK | MB_ICONINFORMATION);
        return;
    }
    char path[MAX_PATH];
    lstrcpynA(path, PathInCurrentDirectory(fileName), sizeof path);
    char face[16] = "";
    char temp[MAX_PATH] = "";
    const int added = g_settings.WindowsFontNameFix ? LoadTemporaryFont(path, face, temp) : AddFontResourceA(path);
    if (added == 0) {
        ShowMessage(mainWindow, MSG_TTF_ACCESS_ERROR, MB_OK | MB_ICONINFORMATION);
        return;
    }
    NormalizeNoticeText(notice, kNoticeCapacity);
    const SampleRequest request = {fileName, display, notice, face, temp};
    ShowSampleWindow(mainWindow, request);
    ReleaseTemporaryFont(path, temp);
}
