// The main window procedure: it only dispatches.
#include "app/mainwindow.h"

#include "app/commands.h"
#include "app/maincontrols.h"
#include "app/maintitle.h"
#include "config/settings.h"
#include "info/startupwindow.h"
#include "lists/rowdata.h"
#include "lists/rowdrawing.h"
#include "platform/appstate.h"
#include "platform/paths.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

LRESULT OnCreate(HWND window) {
    SetMainTitle(window);
    CentreOnScreen(window);
    return 0;
}

LRESULT OnSize(HWND window) {
    // The samples are as wide as the rows: make them again at the new width.
    FreeFileSamples(window, IDC_FILE_LIST);
    InvalidateRect(GetDlgItem(window, IDC_FILE_LIST), nullptr, FALSE);
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left < kMinimumWidth || outer.bottom - outer.top < kMinimumHeight) {
        // The move sends WM_SIZE again, which then lays the controls out.
        MoveWindow(window, outer.left, outer.top, kMinimumWidth, kMinimumHeight, TRUE);
        return 0;
    }
    LayoutMainControls(window);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id, LPARAM lParam) {
    if (id != kLogoTimer) return DefWindowProcA(window, WM_TIMER, id, lParam);
    DestroyStartupWindow();
    KillTimer(window, kLogoTimer);
    return 0;
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID == IDC_INSTALL || item->CtlID == IDC_COPY) {
        DrawArrowButton(item);
    } else {
        DrawListRow(item);
    }
    return TRUE;
}

LRESULT OnDestroy(HWND window) {
    CurrentDirectoryWithSeparator(g_settings.StartupDirectory, sizeof g_settings.StartupDirectory);
    SaveSettingsFile();
    DestroyStartupWindow();
    FreeInstalledEntries(GetDlgItem(window, IDC_INSTALLED_LIST));
    PostQuitMessage(0);
    return 0;
}

}  // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, IDI_QUILLMERE);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = g_app.faceBrush;
    wc.lpszMenuName = IDR_MAINMENU;
    wc.lpszClassName = kMainClassName;
    RegisterClassA(&wc);
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExA(0, kMainClassName, "Quillmere", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           kMinimumWidth, kMinimumHeight, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_SIZE: return OnSize(window);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(HandleControlColour(window, reinterpret_cast<HDC>(wParam)));
    case WM_TIMER: return OnTimer(window, wParam, lParam);
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: OnMainCommand(window, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_PARENTNOTIFY:
        if (OnMainParentNotify(window, wParam)) return 0;
        break;
    case WM_FONTCHANGE: OnMainFontChange(window); return 0;
    case WM_DROPFILES: OnMainDropFiles(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DESTROY: return OnDestroy(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
