#include "app/maincontrols.h"

#include "app/mainlayout.h"
#include "platform/appstate.h"
#include "platform/messages.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_MULTIPLESEL |
                        LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_USETABSTOPS;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kPush = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER | BS_PUSHBUTTON;
constexpr DWORD kOwnerDrawn = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CENTER | BS_OWNERDRAW;
constexpr DWORD kStatus = WS_CHILD | WS_VISIBLE | SS_LEFT;

}  // namespace

const MainControl kMainControls[kMainControlCount] = {
    {IDC_INSTALLED_LIST, "listbox", "", kList},
    {IDC_INSTALLED_DETAILED, "button", "Detailed", kCheck},
    {IDC_INSTALLED_SELECT_ALL, "button", "Select All", kPush},
    {IDC_INSTALLED_CLEAR_ALL, "button", "Clear All", kPush},
    {IDC_INSTALLED_PRINT, "button", "Print", kPush},
    {IDC_INSTALLED_STATUS, "static", nullptr, kStatus},
    {IDC_INSTALL, "button", "< Install", kOwnerDrawn},
    {IDC_COPY, "button", "Copy >", kOwnerDrawn},
    {IDC_FILE_LIST, "listbox", "", kList},
    {IDC_FILE_STATUS, "static", nullptr, kStatus},
    {IDC_FILES_SELECT_ALL, "button", "Select All", kPush},
    {IDC_FILES_CLEAR_ALL, "button", "Clear All", kPush},
    {IDC_FILES_PRINT, "button", "Print", kPush},
    {IDC_FILE_RENAME, "button", "File name", kPush},
    {IDC_FONT_NAME, "button", "Font name", kPush},
    {IDC_FILE_DELETE, "button", "File delete", kPush},
    {IDC_FILES_DETAILED, "button", "Detailed", kCheck},
};

void CreateMainControls(HWND mainWindow) {
    const int w = ClientWidth(mainWindow);
    const int h = ClientHeight(mainWindow);
    for (const MainControl& c : kMainControls) {
        ControlPlace place = MainControlPlace(c.id, w, h);
        // The check box is 80 wide until the first layout makes it 72.
        if (c.id == IDC_INSTALLED_DETAILED) place.width = 80;
        const char* text = c.text ? c.text : LoadMessageText(MSG_NO_FONTS_SELECTED);
        CreateWindowExA(0, c.className, text, c.style, place.x, place.y, place.width, place.height, mainWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), g_app.instance, nullptr);
    }
}

void LayoutMainControls(HWND mainWindow) {
    const int w = ClientWidth(mainWindow);
    const int h = ClientHeight(mainWindow);
    for (const MainControl& c : kMainControls) {
        const ControlPlace place = MainControlPlace(c.id, w, h);
        MoveWindow(GetDlgItem(mainWindow, c.id), place.x, place.y, place.width, place.height, TRUE);
    }
}
