// The main window's commands and moves between folders, on the real
// window: status lines and greyed commands, select all, the "Detailed"
// switches, double clicks into folders and drives, the refused fonts
// folder and the recent directories of the File menu.
#include <direct.h>

#include "app/startup.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "lists/filelist.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

class CommandsTest : public MainWindowFixture {
protected:
    // "menu+button" state of each command: 1 enabled, 0 greyed.
    std::string Enabled(std::initializer_list<int> ids) const {
        std::string states;
        for (int id : ids) {
            const bool menu = !(GetMenuState(GetMenu(window_), id, MF_BYCOMMAND) & MF_GRAYED);
            HWND button = GetDlgItem(window_, id);
            states += menu ? '1' : '0';
            if (button) states += IsWindowEnabled(button) ? '1' : '0';
        }
        return states;
    }
    std::string InstalledCommands() const { return Enabled({105, 120, 108}); }
    std::string FileCommands() const { return Enabled({113, 116, 117, 118, 107}); }
    void DoubleClick(const char* row) {
        const int index = Row(IDC_FILE_LIST, row);
        ASSERT_GE(index, 0) << row;
        SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, FALSE, -1);
        SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, index);
        SendMessageA(List(IDC_FILE_LIST), LB_SETCARETINDEX, index, FALSE);
        Command(IDC_FILE_LIST, LBN_DBLCLK);
    }
    // The File menu's recent entries, each checked for its command id.
    std::vector<std::string> RecentMenu() const {
        std::vector<std::string> texts;
        HMENU file = GetSubMenu(GetMenu(window_), 0);
        for (int i = 4; i < GetMenuItemCount(file); ++i) {
            char text[300] = "";
            GetMenuStringA(file, i, text, sizeof text, MF_BYPOSITION);
            EXPECT_EQ(static_cast<UINT>(IDM_RECENT_FIRST + i - 4), GetMenuItemID(file, i)) << text;
            texts.push_back(text);
        }
        return texts;
    }
    static std::string Cwd() {
        char here[MAX_PATH] = "";
        return _getcwd(here, sizeof here) ? here : "";
    }
    void Shift(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
};

TEST_F(CommandsTest, StatusLinesAndCommandsFollowTheSelection) {
    for (const char* name : {"a.ttf", "b.ttf", "c.ttf", "d.ttf", "e.ttf"}) ASSERT_TRUE(WriteFile(folder_ + "\\" + name, "x"));
    CreateDirectoryA((folder_ + "\\Sub").c_str(), nullptr);
    Start();
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    EXPECT_EQ("00000", InstalledCommands());
    EXPECT_EQ("0000000000", FileCommands());

    // One file row: the file-side commands alone come alive. A directory
    // row selected by hand loses its selection and never counts.
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, Row(IDC_FILE_LIST, "c.ttf"));
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, Row(IDC_FILE_LIST, "[sub]"));
    EXPECT_EQ(0, Command(IDC_FILE_LIST, LBN_SELCHANGE));
    EXPECT_EQ("One font selected", Status(IDC_FILE_STATUS));
    EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETSEL, Row(IDC_FILE_LIST, "[sub]"), 0));
    EXPECT_EQ("1111111111", FileCommands());
    EXPECT_EQ("00000", InstalledCommands());

    // Select All takes the five files and no folder or drive.
    Command(IDM_FILES_SELECT_ALL);
    EXPECT_EQ("5 fonts selected", Status(IDC_FILE_STATUS));
    EXPECT_EQ(5, SendMessageA(List(IDC_FILE_LIST), LB_GETSELCOUNT, 0, 0));
    // Ids without a command do nothing.
    EXPECT_EQ(0, Command(109));
    EXPECT_EQ(0, Command(119));
    EXPECT_EQ("5 fonts selected", Status(IDC_FILE_STATUS));
    Command(IDM_FILES_CLEAR_ALL);
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    EXPECT_EQ("0000000000", FileCommands());

    const LRESULT families = SendMessageA(List(IDC_INSTALLED_LIST), LB_GETCOUNT, 0, 0);
    Command(IDM_INSTALLED_SELECT_ALL);
    EXPECT_EQ(std::to_string(families) + " fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ("11111", InstalledCommands());
    Command(IDM_INSTALLED_CLEAR_ALL);
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));

    // "Detailed" switches the row height at once.
    SendDlgItemMessageA(window_, IDC_FILES_DETAILED, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, g_settings.ShowFileSamples);
    EXPECT_EQ(44, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(20, SendMessageA(List(IDC_INSTALLED_LIST), LB_GETITEMHEIGHT, 0, 0));
    SendDlgItemMessageA(window_, IDC_INSTALLED_DETAILED, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, g_settings.ShowFontSamples);
    EXPECT_EQ(44, SendMessageA(List(IDC_INSTALLED_LIST), LB_GETITEMHEIGHT, 0, 0));
    SendDlgItemMessageA(window_, IDC_FILES_DETAILED, BM_CLICK, 0, 0);
    EXPECT_EQ(0u, g_settings.ShowFileSamples);
    EXPECT_EQ(20, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMHEIGHT, 0, 0));
}

HMENU g_opened = nullptr;
LRESULT CALLBACK NoteMenu(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITMENUPOPUP) {
        g_opened = reinterpret_cast<HMENU>(message->wParam);
        EndMenu();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A right click on a list opens that list's menu at the cursor; anywhere
// else opens nothing.
TEST_F(CommandsTest, RightClickOpensTheListsMenu) {
    Start();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, NoteMenu, nullptr, GetCurrentThreadId());
    HMENU bar = GetMenu(window_);
    for (const auto& [id, popup] : {std::pair{IDC_INSTALLED_LIST, GetSubMenu(bar, 1)}, {IDC_FILE_LIST, GetSubMenu(bar, 2)},
                                    {IDC_FILES_PRINT, HMENU{}}}) {
        SCOPED_TRACE(id);
        RECT r;
        GetWindowRect(GetDlgItem(window_, id), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        g_opened = nullptr;
        EXPECT_EQ(0, SendMessageA(window_, WM_PARENTNOTIFY, WM_RBUTTONDOWN, 0));
        EXPECT_EQ(popup, g_opened);
    }
    g_opened = nullptr;
    SendMessageA(window_, WM_PARENTNOTIFY, WM_LBUTTONDOWN, 0);
    EXPECT_EQ(nullptr, g_opened) << "a left click opens nothing";
    UnhookWindowsHookEx(hook);
}

TEST_F(CommandsTest, DoubleClicksMoveBetweenFoldersButNeverIntoTheFontsFolder) {
    CreateDirectoryA((folder_ + "\\Inner Folder").c_str(), nullptr);
    ASSERT_TRUE(WriteFile(folder_ + "\\Inner Folder\\deep.ttf", "x"));
    Start();
    SetDlgItemTextA(window_, IDC_FILE_STATUS, "stale");
    DoubleClick("[Inner Folder]");
    EXPECT_EQ(folder_ + "\\Inner Folder", Cwd());
    EXPECT_GE(Row(IDC_FILE_LIST, "deep.ttf"), 0);
    EXPECT_EQ("Quillmere 2.0d  [" + folder_ + "\\Inner Folder]", WindowText(window_));
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    DoubleClick("[..]");
    EXPECT_EQ(folder_, Cwd());
    EXPECT_EQ((std::vector<std::string>{folder_ + "\\Inner Folder", folder_}), RecentMenu());
    char label[MAX_PATH + 32] = "";
    GetMenuStringA(GetMenu(window_), IDM_COPY_TO, label, sizeof label, MF_BYCOMMAND);
    EXPECT_EQ("Copy to " + folder_ + "\\", std::string(label));

    // An off-line drive (the test prefix's Q:) is reported and left alone.
    {
        ModalWatcher watcher;
        DoubleClick("[-q-]");
        ASSERT_EQ(1u, watcher.seen().size());
        EXPECT_EQ("The selected drive is off line.", watcher.seen()[0].text);
    }
    EXPECT_EQ(folder_, Cwd());

    // Into the Windows fonts folder: refused, the list still shows where
    // the user was.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_EQ(0, _chdir(windows));
    FillFileList(window_, IDC_FILE_LIST);
    {
        ModalWatcher watcher;
        DoubleClick("[fonts]");
        ASSERT_EQ(1u, watcher.seen().size());
        EXPECT_EQ("Quillmere can't access the Windows font directory directly.", watcher.seen()[0].text);
        EXPECT_EQ(static_cast<UINT>(kTell), watcher.seen()[0].boxStyle);
    }
    EXPECT_EQ(0, lstrcmpiA(windows, Cwd().c_str()));
    EXPECT_GE(Row(IDC_FILE_LIST, "[fonts]"), 0);
}

TEST_F(CommandsTest, RecentDirectoriesGoThereOrGoAwayWithShift) {
    CreateDirectoryA((folder_ + "\\There").c_str(), nullptr);
    ASSERT_TRUE(WriteFile(folder_ + "\\There\\t.ttf", "x"));
    Start("FileMenuPath = C:\\First\r\nFileMenuPath = \\\\server\\share\r\nFileMenuPath = " + folder_ +
          "\\There\r\nFileMenuPath = Q:\\Fonts\r\n");
    const std::vector<std::string> loaded = {"C:\\First", folder_ + "\\There", "Q:\\Fonts"};
    EXPECT_EQ(loaded, RecentMenu());

    // Choosing an entry goes there and fills the list again, moving the
    // entry to the bottom; the status lines are left as they were.
    SetDlgItemTextA(window_, IDC_FILE_STATUS, "left alone");
    Command(IDM_RECENT_FIRST + 1);
    EXPECT_EQ(folder_ + "\\There", Cwd());
    EXPECT_GE(Row(IDC_FILE_LIST, "t.ttf"), 0);
    EXPECT_EQ("left alone", Status(IDC_FILE_STATUS));
    EXPECT_EQ((std::vector<std::string>{"C:\\First", "Q:\\Fonts", folder_ + "\\There"}), RecentMenu());

    // An entry on an off-line drive is reported and nothing moves.
    {
        ModalWatcher watcher;
        Command(IDM_RECENT_FIRST + 1);
        ASSERT_EQ(1u, watcher.seen().size());
        EXPECT_EQ("The selected drive is off line.", watcher.seen()[0].text);
    }
    EXPECT_EQ(folder_ + "\\There", Cwd());

    // Shift held: the first entry goes, the others answer from 10000 up.
    Shift(true);
    Command(IDM_RECENT_FIRST);
    Shift(false);
    EXPECT_EQ((std::vector<std::string>{"Q:\\Fonts", folder_ + "\\There"}), RecentMenu());
    EXPECT_EQ(folder_ + "\\There", Cwd());
    EXPECT_EQ(0, Command(IDM_RECENT_FIRST + 2)) << "beyond the list: nothing";
    EXPECT_EQ(2, g_recent.count);
}

}  // namespace
