// The startup window: the name plate, a small animation and the ownership
// notice, light on black, until a click, the main window's start-up timer
// or the end of the program takes it down.
#include "info/startupwindow.h"

#include "config/settings.h"
#include "info/pictures.h"
#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

constexpr char kClassName[] = "QuillmereLogo";
constexpr int kWidth = 440;
constexpr int kHeight = 260;
constexpr UINT_PTR kAnimationTimer = 6;
constexpr UINT kFrameInterval = 150;  // milliseconds
// Sent once the children exist: the notice gets its font.
constexpr UINT kSetNoticeFont = WM_USER + 99;
constexpr COLORREF kTextColour = RGB(255, 255, 241);

// Process-wide: the window lives before the main window and beside it.
struct StartupWindowState {
    HWND window = nullptr;       // null once closed, or when never shown
    bool classRegistered = false;  // outlives a window closed by a click
    HINSTANCE instance = nullptr;
    int frame = 0;               // 0 to LOGO_FRAME_COUNT - 1
    HFONT noticeFont = nullptr;
};

StartupWindowState g_logo;

HBRUSH BlackBrush() { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

LRESULT OnCreate(HWND window) {
    g_logo.frame = 0;
    CentreOnScreen(window);
    SetTimer(window, kAnimationTimer, kFrameInterval, nullptr);
    return 0;
}

void CreateChildren(HWND window, HINSTANCE instance) {
    const struct {
        int id;
        const char* className;
        const char* text;
        DWORD style;
        RECT r;  // left, top, width, height
    } children[] = {
        {IDC_LOGO_PICTURE, "BUTTON", "", BS_OWNERDRAW, {2, 2, 416, 155}},
        {IDC_LOGO_ANIMATION, "BUTTON", "", BS_OWNERDRAW, {362, 182, 70, 70}},
        // Without SS_NOTIFY the static is transparent to the mouse: a click
        // on the text reaches the window underneath.
        {IDC_LOGO_NOTICE, "STATIC", LoadMessageText(MSG_STARTUP_NOTICE), SS_LEFT | SS_NOPREFIX, {8, 204, 270, 48}},
    };
    for (const auto& child : children) {
        CreateWindowExA(0, child.className, child.text, WS_CHILD | WS_VISIBLE | child.style, child.r.left, child.r.top,
                        child.r.right, child.r.bottom, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)),
                        instance, nullptr);
    }
}

LRESULT OnSetNoticeFont(HWND window) {
    g_logo.noticeFont =
        CreateFontA(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SendDlgItemMessageA(window, IDC_LOGO_NOTICE, WM_SETFONT, reinterpret_cast<WPARAM>(g_logo.noticeFont), TRUE);
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_BUTTON) return FALSE;
    const int x = item->rcItem.left, y = item->rcItem.top;
    if (item->CtlID == IDC_LOGO_PICTURE) {
        DrawPalettePicture(item->hDC, x, y, LoadPicture(IDB_LOGO), SRCCOPY);
    } else if (item->CtlID == IDC_LOGO_ANIMATION && ScreenColourDepth() >= 9) {
        // On palette screens the frames would fight the name plate for the
        // colours; the area stays black.
        DrawPalettePicture(item->hDC, x, y, LoadPicture(IDB_LOGO_FRAME_FIRST + g_logo.frame), SRCCOPY);
    }
    return TRUE;
}

LRESULT OnTimer(HWND window, WPARAM id) {
    if (id != kAnimationTimer) return 0;
    InvalidateRect(GetDlgItem(window, IDC_LOGO_ANIMATION), nullptr, FALSE);
    g_logo.frame = g_logo.frame >= LOGO_FRAME_COUNT - 1 ? 0 : g_logo.frame + 1;
    return 0;
}

// A click closes the window; its class stays until DestroyStartupWindow,
// which cannot be called from inside the class's own procedure.
LRESULT Close(HWND window) {
    DestroyWindow(window);
    return 0;
}

LRESULT OnCommand(HWND window, int id) {
    switch (id) {
    case IDC_LOGO_PICTURE:
    case IDC_LOGO_NOTICE:
    case IDC_LOGO_ANIMATION: return Close(window);
    }
    return 0;
}

LRESULT OnControlColour(HDC dc) {
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(BlackBrush());
}

LRESULT OnDestroy(HWND window) {
    KillTimer(window, kAnimationTimer);
    if (g_logo.noticeFont) DeleteObject(g_logo.noticeFont);
    g_logo.noticeFont = nullptr;
    // From here on the program treats the window as gone, whoever closed it.
    if (g_logo.window == window) g_logo.window = nullptr;
    return 0;
}

LRESULT CALLBACK StartupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) return OnControlColour(reinterpret_cast<HDC>(wParam));
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case kSetNoticeFont: return OnSetNoticeFont(window);
    case WM_PAINT: return OnPaint(window);
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_COMMAND: return OnCommand(window, LOWORD(wParam));
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return Close(window);
    case WM_DESTROY: return OnDestroy(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterStartupClass(HINSTANCE instance) {
    if (g_logo.classRegistered) return true;
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = StartupWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_WAIT);
    wc.hbrBackground = BlackBrush();
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return false;
    g_logo.classRegistered = true;
    g_logo.instance = instance;
    return true;
}

void UnregisterStartupClass() {
    if (!g_logo.classRegistered) return;
    UnregisterClassA(kClassName, g_logo.instance);
    g_logo.classRegistered = false;
}

}  // namespace

void CreateStartupWindow(HINSTANCE instance) {
    if (!g_settings.ShowStartupWindow || g_logo.window || !RegisterStartupClass(instance)) return;
    // No owner: the main window does not exist yet.
    HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP | WS_BORDER, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) {
        UnregisterStartupClass();
        return;
    }
    g_logo.window = window;
    CreateChildren(window, instance);
    SendMessageA(window, kSetNoticeFont, 0, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void DestroyStartupWindow() {
    if (g_logo.window) DestroyWindow(g_logo.window);
    g_logo.window = nullptr;
    UnregisterStartupClass();
}
