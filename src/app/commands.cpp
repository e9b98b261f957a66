// Main window commands.
#include "app/commands.h"

#include "app/appstate.h"
#include "app/messages.h"
#include "app/navigation.h"
#include "app/operations.h"
#include "app/winhelpers.h"
#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "resources/resource.h"

namespace {

// The commands that need a selected row, in the order they are set.
const int kInstalledCommands[] = {IDM_INSTALLED_PRINT, IDM_REMOVE, IDM_COPY_TO};
const int kFileCommands[] = {IDM_FILES_PRINT, IDM_DELETE, IDM_RENAME, IDM_CHANGE_FONT_NAME, IDM_INSTALL};

void ShowCount(HWND mainWindow, int statusId, int selected) {
    char text[128];
    if (selected == 0) {
        lstrcpynA(text, LoadMessageText(MSG_NO_FONTS_SELECTED), sizeof text);
    } else if (selected == 1) {
        lstrcpynA(text, LoadMessageText(MSG_ONE_FONT_SELECTED), sizeof text);
    } else {
        wsprintfA(text, LoadMessageText(MSG_FONTS_SELECTED), static_cast<unsigned>(selected));
    }
    SetDlgItemTextA(mainWindow, statusId, text);
}

template <size_t N>
void EnableCommands(HWND mainWindow, const int (&ids)[N], bool enable) {
    HMENU menu = GetMenu(mainWindow);
    for (int id : ids) {
        // Remove has a menu item only.
        if (HWND button = GetDlgItem(mainWindow, id)) EnableWindow(button, enable);
        EnableMenuItem(menu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    }
}

int CountInstalledSelection(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return 0;
    int selected = 0;
    for (LRESULT i = 0; i < count; ++i) selected += SendMessageA(list, LB_GETSEL, i, 0) > 0;
    return selected;
}

int CountFileSelection(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return 0;
    int selected = 0;
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH + 32];
        const bool read = SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text) &&
                          SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text)) != LB_ERR;
        if (read && text[0] == '[') {
            SendMessageA(list, LB_SETSEL, FALSE, i);
            continue;
        }
        selected += SendMessageA(list, LB_GETSEL, i, 0) > 0;
    }
    return selected;
}

void SelectAll(HWND mainWindow, int listId, BOOL select) {
    HWND list = GetDlgItem(mainWindow, listId);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return;
    SendMessageA(list, LB_SELITEMRANGE, select, MAKELPARAM(0, count));
    RefreshSelectionStatus(mainWindow);
}

void SwitchDetailed(HWND mainWindow, int checkId) {
    const bool installed = checkId == IDC_INSTALLED_DETAILED;
    const int listId = installed ? IDC_INSTALLED_LIST : IDC_FILE_LIST;
    const uint32_t checked = SendDlgItemMessageA(mainWindow, checkId, BM_GETCHECK, 0, 0) == BST_CHECKED;
    (installed ? g_settings.ShowFontSamples : g_settings.ShowFileSamples) = checked;
    SetListRowHeight(mainWindow, listId);
    HWND list = GetDlgItem(mainWindow, listId);
    SendMessageA(list, WM_SIZE, 0, 0);
    SendMessageA(mainWindow, WM_SIZE, 0, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void RefillFileList(HWND mainWindow) {
    FreeFileSamples(mainWindow, IDC_FILE_LIST);
    FillFileList(mainWindow, IDC_FILE_LIST);
}

void OnInstalledListNotify(HWND mainWindow, int code) {
    if (code == LBN_SELCHANGE) {
        RefreshSelectionStatus(mainWindow);
    } else if (code == LBN_DBLCLK) {
        const LRESULT row = SendDlgItemMessageA(mainWindow, IDC_INSTALLED_LIST, LB_GETCARETINDEX, 0, 0);
        ShowInstalledFontSample(mainWindow, static_cast<int>(row));
        RefreshSelectionStatus(mainWindow);
    }
}

void OnFileListNotify(HWND mainWindow, int code) {
    if (code == LBN_SELCHANGE) {
        RefreshSelectionStatus(mainWindow);
    } else if (code == LBN_DBLCLK) {
        char fileName[MAX_PATH] = "";
        // A directory or drive row moves there and refreshes on its own.
        if (!EnterFileListRow(mainWindow, fileName)) {
            ShowFileSample(mainWindow, fileName);
            RefreshSelectionStatus(mainWindow);
        }
    }
}

void RunSetup(HWND mainWindow) {
    const bool displayChanged = RunSetupSheet(mainWindow);
    SetMainTitle(mainWindow);
    if (displayChanged) {
        SendMessageA(mainWindow, WM_FONTCHANGE, 0, 0);
        SendMessageA(mainWindow, WM_SIZE, 0, 0);
    }
}

}  // namespace

void RefreshSelectionStatus(HWND mainWindow) {
    const int installed = CountInstalledSelection(GetDlgItem(mainWindow, IDC_INSTALLED_LIST));
    ShowCount(mainWindow, IDC_INSTALLED_STATUS, installed);
    EnableCommands(mainWindow, kInstalledCommands, installed > 0);
    const int files = CountFileSelection(GetDlgItem(mainWindow, IDC_FILE_LIST));
    ShowCount(mainWindow, IDC_FILE_STATUS, files);
    EnableCommands(mainWindow, kFileCommands, files > 0);
}

void OnMainCommand(HWND mainWindow, int id, int code) {
    if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + g_app.recentCount) {
        ChooseRecentDirectory(mainWindow, id);
        return;
    }
    switch (id) {
    case IDC_INSTALLED_LIST: OnInstalledListNotify(mainWindow, code); break;
    case IDC_FILE_LIST: OnFileListNotify(mainWindow, code); break;
    case IDC_INSTALLED_DETAILED:
    case IDC_FILES_DETAILED: SwitchDetailed(mainWindow, id); break;
    case IDM_INSTALLED_SELECT_ALL: SelectAll(mainWindow, IDC_INSTALLED_LIST, TRUE); break;
    case IDM_INSTALLED_CLEAR_ALL: SelectAll(mainWindow, IDC_INSTALLED_LIST, FALSE); break;
    case IDM_FILES_SELECT_ALL: SelectAll(mainWindow, IDC_FILE_LIST, TRUE); break;
    case IDM_FILES_CLEAR_ALL: SelectAll(mainWindow, IDC_FILE_LIST, FALSE); break;
    case IDM_INSTALLED_PRINT: PrintSampleSheet(GetDlgItem(mainWindow, IDC_INSTALLED_LIST), 0); break;
    case IDM_FILES_PRINT: PrintSampleSheet(GetDlgItem(mainWindow, IDC_FILE_LIST), 1); break;
    case IDM_INSTALL:
        InstallSelectedFiles(mainWindow);
        RefreshSelectionStatus(mainWindow);
        break;
    case IDM_COPY_TO:
        CopySelectedFonts(mainWindow);
        RefillFileList(mainWindow);
        RefreshSelectionStatus(mainWindow);
        break;
    case IDM_DELETE:
        if (DeleteSelectedFiles(mainWindow)) {
            RefillFileList(mainWindow);
            RefreshSelectionStatus(mainWindow);
        }
        break;
    case IDM_RENAME:
        RenameSelectedFiles(mainWindow);
        RefillFileList(mainWindow);
        RefreshSelectionStatus(mainWindow);
        break;
    case IDM_CHANGE_FONT_NAME:
        ChangeSelectedFontNames(mainWindow);
        RefillFileList(mainWindow);
        RefreshSelectionStatus(mainWindow);
        break;
    case IDM_REMOVE:
        if (RemoveSelectedFonts(mainWindow)) RefreshSelectionStatus(mainWindow);
        break;
    case IDM_SETUP: RunSetup(mainWindow); break;
    case IDM_EXIT: SendMessageA(mainWindow, WM_CLOSE, 0, 0); break;
    case IDM_SYSTEM_INFO: ShowSystemInformation(mainWindow); break;
    case IDM_MANUAL: ShowManual(mainWindow); break;
    case IDM_ABOUT: ShowAboutBox(mainWindow); break;
    default: break;  // ids without a command do nothing
    }
}

bool OnMainParentNotify(HWND mainWindow, WPARAM event) {
    if (LOWORD(event) != WM_RBUTTONDOWN) return false;
    POINT cursor;
    GetCursorPos(&cursor);
    HWND under = WindowFromPoint(cursor);
    int popup;
    if (under == GetDlgItem(mainWindow, IDC_INSTALLED_LIST)) {
        popup = MENU_POS_INSTALLED;
    } else if (under == GetDlgItem(mainWindow, IDC_FILE_LIST)) {
        popup = MENU_POS_FONT_FILES;
    } else {
        return false;
    }
    TrackPopupMenu(GetSubMenu(GetMenu(mainWindow), popup), 0, cursor.x, cursor.y, 0, mainWindow, nullptr);
    return true;
}

void OnMainFontChange(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_INSTALLED_LIST);
    FreeInstalledEntries(list);
    FillInstalledList(mainWindow, IDC_INSTALLED_LIST);
}
