// Start-up and shutdown.
#include "app/startup.h"

#include <cstdlib>

#include "app/commands.h"
#include "app/maincontrols.h"
#include "app/maintitle.h"
#include "app/mainwindow.h"
#include "app/navigation.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "info/startupwindow.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "platform/appstate.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

HFONT CreateSansSerif(int height) {
    return CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

// The program's own folder, ending in a backslash.
void SetApplicationPath(HINSTANCE instance) {
    char module[MAX_PATH] = "";
    GetModuleFileNameA(instance, module, sizeof module);
    char drive[_MAX_DRIVE], directory[_MAX_DIR];
    _splitpath(module, drive, directory, nullptr, nullptr);
    _makepath(g_settings.ApplicationPath, drive, directory, nullptr, nullptr);
    AppendSeparator(g_settings.ApplicationPath, sizeof g_settings.ApplicationPath);
}

void SetCheck(HWND mainWindow, int id, uint32_t on) {
    if (on) SendDlgItemMessageA(mainWindow, id, BM_SETCHECK, 1, 0);
    // Posted whatever the setting: the switch gives the list its row height
    // and lays the window out once the loop runs.
    PostMessageA(mainWindow, WM_COMMAND, id, 0);
}

template <typename T>
void DeleteShared(T& object) {
    if (object) DeleteObject(object);
    object = nullptr;
}

}  // namespace

HWND StartQuillmere(HINSTANCE instance, HINSTANCE previous, int show) {
    g_app.instance = instance;
    LoadSettings();
    if (g_settings.StartupDirectory[0]) SetCurrentDirectoryFromPath(g_settings.StartupDirectory);
    g_app.controlFont = CreateSansSerif(16);
    g_app.listFont = CreateSansSerif(static_cast<int>(g_settings.TitleFontSize));
    g_app.faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    if (g_settings.SampleFontColour == 0xFFFFFFFFu) g_settings.SampleFontColour = GetSysColor(COLOR_WINDOWTEXT);
    CreateStartupWindow(instance);
    if (!previous) RegisterMainWindowClass(instance);

    HWND mainWindow = CreateMainWindow(instance);
    g_app.mainWindow = mainWindow;
    SetApplicationPath(instance);
    if (!mainWindow) return nullptr;
    CreateMainControls(mainWindow);
    SetCheck(mainWindow, IDC_INSTALLED_DETAILED, g_settings.ShowFontSamples);
    SetCheck(mainWindow, IDC_FILES_DETAILED, g_settings.ShowFileSamples);
    FillInstalledList(mainWindow, IDC_INSTALLED_LIST);
    FillFileList(mainWindow, IDC_FILE_LIST);
    ApplyControlFont(mainWindow, g_app.controlFont);
    SetCopyToLabel(mainWindow);
    ShowWindow(mainWindow, show);
    UpdateWindow(mainWindow);
    SetFocus(mainWindow);
    g_recent = RecentDirectories{};
    LoadRecentDirectories();
    RebuildRecentMenu(mainWindow);
    DragAcceptFiles(mainWindow, TRUE);
    RefreshSelectionStatus(mainWindow);
    const UINT delay = g_settings.LogoDelay < 100u ? 100u : g_settings.LogoDelay;
    SetTimer(mainWindow, kLogoTimer, delay, nullptr);
    return mainWindow;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void FinishQuillmere(HINSTANCE instance) {
    DeleteShared(g_app.faceBrush);
    DeleteShared(g_app.controlFont);
    DeleteShared(g_app.listFont);
    UnregisterClassA(kMainClassName, instance);
    g_app.mainWindow = nullptr;
    g_recent = RecentDirectories{};
}

int RunQuillmere(HINSTANCE instance, HINSTANCE previous, int show) {
    if (!StartQuillmere(instance, previous, show)) {
        // Without a window nothing would ever end the message loop.
        DestroyStartupWindow();
        ShowMessage(nullptr, MSG_NO_MAIN_WINDOW, MB_OK | MB_ICONSTOP);
        FinishQuillmere(instance);
        return 1;
    }
    RunMessageLoop();
    FinishQuillmere(instance);
    return 0;
}
