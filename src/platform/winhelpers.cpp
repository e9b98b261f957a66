#include "platform/winhelpers.h"

#include "platform/appstate.h"

HBRUSH HandleControlColour(HWND window, HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (g_app.faceBrush) UnrealizeObject(g_app.faceBrush);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    return g_app.faceBrush;
}

bool ReadWindowsVersion(OSVERSIONINFOA& version) {
    version = {};
    version.dwOSVersionInfoSize = sizeof version;
    // Deprecated for programs that want to detect features; here the
    // version itself is what is shown and what picks the font key.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
}

void CentreOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

int ClientWidth(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right - r.left;
}

int ClientHeight(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.bottom - r.top;
}

static BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

void ApplyControlFont(HWND window, HFONT font) {
    if (font) EnumChildWindows(window, SetFontOnChild, reinterpret_cast<LPARAM>(font));
}
