// Main window commands.
#include "app/commands.h"

#include <direct.h>

#include "app/maintitle.h"
#include "app/navigation.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "config/setupsheet.h"
#include "info/aboutbox.h"
#include "info/manual.h"
#include "info/sysinfobox.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "ops/copydelete.h"
#include "ops/install.h"
#include "ops/namedialog.h"
#include "ops/remove.h"
#include "platform/messages.h"
#include "resources/resource.h"
#include "samples/printsheet.h"
#include "samples/samplewindow.h"

namespace {

// The commands that need a selected row, in the order they are set.
const int kInstalledCommands[] = {IDM_INSTALLED_PRINT, IDM_REMOVE, IDM_COPY_TO};
const int kFileCommands[] = {IDM_FILES_PRINT, IDM_DELETE, IDM_RENAME, IDM_CHANGE_FONT_NAME, IDM_INSTALL};

void ShowCount(HWND mainWindow, int statusId, int selected) {
    char text[128];
    FormatCountPhrase(text, sizeof text, selected, MSG_NO_FONTS_SELECTED, MSG_ONE_FONT_SELECTED, MSG_FONTS_SELECTED);
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

// Shows anew what an action changed; the selection status is each
// command's own decision.
void ShowChanges(HWND mainWindow, unsigned changed) {
    if (changed & kChangedFolder) {
        SetCopyToLabel(mainWindow);
        char directory[MAX_PATH];
        if (_getcwd(directory, sizeof directory)) AddRecentDirectory(g_recent, directory);
        RebuildRecentMenu(mainWindow);
    }
    if (changed & (kChangedFiles | kChangedFolder)) {
        FreeFileSamples(mainWindow, IDC_FILE_LIST);
        FillFileList(mainWindow, IDC_FILE_LIST);
    }
    if (changed & kChangedFolder) SetMainTitle(mainWindow);
}

// The message of a move that did not go where it was asked to.
void ReportMove(HWND mainWindow, Move move) {
    if (move == Move::FontsDirectoryRefused) {
        ShowMessage(mainWindow, MSG_FONTS_DIRECTORY_DENIED, MB_OK | MB_ICONINFORMATION);
    } else if (move == Move::DriveOffLine) {
        ShowMessage(mainWindow, MSG_DRIVE_OFF_LINE, MB_OK | MB_ICONINFORMATION);
    }
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
        char row[MAX_PATH] = "";
        if (!DlgDirSelectExA(mainWindow, row, MAX_PATH, IDC_FILE_LIST)) {
            ShowFileSample(mainWindow, row);
        } else {
            // Even a refused move shows the directory it stays in.
            ReportMove(mainWindow, EnterFolderRow(row));
            ShowChanges(mainWindow, kChangedFolder);
        }
        RefreshSelectionStatus(mainWindow);
    }
}

// A recent directory: go there, or with Shift held drop it from the menu.
// The status lines stay as they were.
void ChooseRecentDirectory(HWND mainWindow, int commandId) {
    const int index = commandId - IDM_RECENT_FIRST;
    if (GetKeyState(VK_SHIFT) < 0) {
        RemoveRecentDirectory(g_recent, index);
        RebuildRecentMenu(mainWindow);
        return;
    }
    const Move move = GoToDirectory(g_recent.paths[index]);
    ReportMove(mainWindow, move);
    if (move == Move::Done) ShowChanges(mainWindow, kChangedFolder);
}

void RunSetup(HWND mainWindow) {
    const bool displayChanged = RunSetupSheet(mainWindow);
    SetMainTitle(mainWindow);
    if (displayChanged) {
        SendMessageA(mainWindow, WM_FONTCHANGE, 0, 0);
        SendMessageA(mainWindow, WM_SIZE, 0, 0);
    }
}

// A batch operation: its changes shown, then the selection counted anew.
void RunBatch(HWND mainWindow, unsigned changed) {
    ShowChanges(mainWindow, changed);
    RefreshSelectionStatus(mainWindow);
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
    if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + g_recent.count) {
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
    case IDM_INSTALL: RunBatch(mainWindow, InstallSelectedFiles(mainWindow)); break;
    // The file list is filled again even when nothing could be copied.
    case IDM_COPY_TO: RunBatch(mainWindow, CopySelectedFonts(mainWindow) | kChangedFiles); break;
    case IDM_RENAME: RunBatch(mainWindow, RenameSelectedFiles(mainWindow)); break;
    case IDM_CHANGE_FONT_NAME: RunBatch(mainWindow, ChangeSelectedFontNames(mainWindow)); break;
    // Nothing selected, or the question declined: nothing to show anew.
    case IDM_DELETE:
        if (const unsigned changed = DeleteSelectedFiles(mainWindow)) RunBatch(mainWindow, changed);
        break;
    case IDM_REMOVE:
        if (const unsigned changed = RemoveSelectedFonts(mainWindow)) RunBatch(mainWindow, changed);
        break;
    case IDM_SETUP: RunSetup(mainWindow); break;
    case IDM_EXIT: SendMessageA(mainWindow, WM_CLOSE, 0, 0); break;
    case IDM_SYSTEM_INFO: ShowSystemInformation(mainWindow); break;
    case IDM_MANUAL: ShowManual(mainWindow); break;
    case IDM_ABOUT: ShowAboutBox(mainWindow); break;
    default: break;  // ids without a command do nothing
    }
}

void OnMainDropFiles(HWND mainWindow, HDROP drop) { RunBatch(mainWindow, InstallDroppedFiles(mainWindow, drop)); }

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
