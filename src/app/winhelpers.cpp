#include "app/winhelpers.h"

#include <direct.h>

#include <cstdio>

#include "app/appstate.h"
#include "app/messages.h"
#include "resources/resource.h"

HBRUSH HandleControlColour(HWND window, HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (g_app.faceBrush) UnrealizeObject(g_app.faceBrush);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    return g_app.faceBrush;
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

void SetMainTitle(HWND mainWindow) {
    char directory[MAX_PATH] = "";
    if (!_getcwd(directory, sizeof directory)) directory[0] = 0;
    char title[MAX_PATH + 32];
    snprintf(title, sizeof title, "Quillmere %u.%u%c %s [%s]", QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_LETTER, "",
             directory);
    SetWindowTextA(mainWindow, title);
}

void CurrentDirectoryWithBackslash(char* out) {
    if (!_getcwd(out, MAX_PATH)) out[0] = 0;
    const size_t length = strlen(out);
    if (length > 0 && out[length - 1] != '\\' && length + 1 < MAX_PATH) {
        out[length] = '\\';
        out[length + 1] = 0;
    }
}

void SetCopyToLabel(HWND mainWindow) {
    char directory[MAX_PATH];
    CurrentDirectoryWithBackslash(directory);
    char label[MAX_PATH + 64];
    snprintf(label, sizeof label, "%s%s", LoadMessageText(MSG_COPY_TO_LABEL), directory);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = label;
    SetMenuItemInfoA(GetMenu(mainWindow), IDM_COPY_TO, FALSE, &item);
}
