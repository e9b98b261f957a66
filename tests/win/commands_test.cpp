// The main window's commands and its moves between folders, on the real
// window: status lines, greyed commands, select all, the "Detailed"
// switches, double clicks, the refused fonts folder, off-line drives and
// the recent directories of the File menu.
#include <gtest/gtest.h>

#include <direct.h>

#include <cstring>

#include "platform/appstate.h"
#include "app/navigation.h"
#include "app/startup.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/rowdata.h"
#include "resources/resource.h"
#include "sfntbuilder.h"
#include "wintest.h"

namespace {

const int kInstalledCommands[] = {105, 120, 108};
const int kFileCommands[] = {113, 116, 117, 118, 107};

class CommandsTest : public MainWindowFixture {
protected:
    void ExpectEnabled(const int* ids, size_t n, bool enabled, int line) const {
        for (size_t i = 0; i < n; ++i) {
            const UINT state = GetMenuState(GetMenu(window_), ids[i], MF_BYCOMMAND);
            EXPECT_EQ(enabled, !(state & MF_GRAYED)) << "menu " << ids[i] << " from line " << line;
            if (HWND button = GetDlgItem(window_, ids[i])) {
                EXPECT_EQ(enabled, IsWindowEnabled(button) != 0) << "button " << ids[i] << " from line " << line;
            }
        }
    }
    void DoubleClick(const char* row) {
        const int index = Row(IDC_FILE_LIST, row);
        ASSERT_GE(index, 0) << row;
        SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, FALSE, -1);
        SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, index);
        SendMessageA(List(IDC_FILE_LIST), LB_SETCARETINDEX, index, FALSE);
        Command(IDC_FILE_LIST, LBN_DBLCLK);
    }
    std::vector<std::string> Recent() const {
        std::vector<std::string> texts;
        HMENU file = GetSubMenu(GetMenu(window_), 0);
        for (int i = 0; i < GetMenuItemCount(file) - 4; ++i) {
            char text[300] = "";
            GetMenuStringA(file, 4 + i, text, sizeof text, MF_BYPOSITION);
            EXPECT_EQ(static_cast<UINT>(IDM_RECENT_FIRST + i), GetMenuItemID(file, 4 + i)) << text;
            texts.push_back(text);
        }
        EXPECT_EQ(static_cast<int>(texts.size()), g_recent.count);
        return texts;
    }
    void AddRecent(const std::string& path) {
        AddRecentDirectory(g_recent, path.c_str());
        RebuildRecentMenu(window_);
    }
    static std::string Cwd() {
        char here[MAX_PATH] = "";
        return _getcwd(here, sizeof here) ? here : "";
    }

};

TEST_F(CommandsTest, StatusLinesAndCommandsFollowTheSelection) {
    for (const char* name : {"a.ttf", "b.ttf", "c.ttf", "d.ttf", "e.ttf"}) ASSERT_TRUE(WriteFile(folder_ + "\\" + name, "x"));
    CreateDirectoryA((folder_ + "\\Sub").c_str(), nullptr);
    Start();
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    ExpectEnabled(kInstalledCommands, 3, false, __LINE__);
    ExpectEnabled(kFileCommands, 5, false, __LINE__);

    // One file row: exactly the file-side commands come alive.
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, Row(IDC_FILE_LIST, "c.ttf"));
    EXPECT_EQ(0, Command(IDC_FILE_LIST, LBN_SELCHANGE));
    EXPECT_EQ("One font selected", Status(IDC_FILE_STATUS));
    ExpectEnabled(kFileCommands, 5, true, __LINE__);
    ExpectEnabled(kInstalledCommands, 3, false, __LINE__);

    // A directory row selected by hand loses its selection and never counts.
    const int sub = Row(IDC_FILE_LIST, "[sub]");
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, sub);
    Command(IDC_FILE_LIST, LBN_SELCHANGE);
    EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETSEL, sub, 0));
    EXPECT_EQ("One font selected", Status(IDC_FILE_STATUS));

    // Select All on the file list takes the five files and no folder or drive.
    Command(IDM_FILES_SELECT_ALL);
    EXPECT_EQ("5 fonts selected", Status(IDC_FILE_STATUS));
    EXPECT_EQ(5, SendMessageA(List(IDC_FILE_LIST), LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETSEL, Row(IDC_FILE_LIST, "[..]"), 0));

    // Commands that do not exist do nothing.
    EXPECT_EQ(0, Command(109));
    EXPECT_EQ(0, Command(119));
    EXPECT_EQ("5 fonts selected", Status(IDC_FILE_STATUS));

    Command(IDM_FILES_CLEAR_ALL);
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    ExpectEnabled(kFileCommands, 5, false, __LINE__);

    const LRESULT families = SendMessageA(List(IDC_INSTALLED_LIST), LB_GETCOUNT, 0, 0);
    ASSERT_GT(families, 1);
    Command(IDM_INSTALLED_SELECT_ALL);
    EXPECT_EQ(std::to_string(families) + " fonts selected", Status(IDC_INSTALLED_STATUS));
    ExpectEnabled(kInstalledCommands, 3, true, __LINE__);
    Command(IDM_INSTALLED_CLEAR_ALL);
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));

    // "Detailed" switches the row height at once; no status refresh needed.
    EXPECT_EQ(20, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMHEIGHT, 0, 0));
    SendDlgItemMessageA(window_, IDC_FILES_DETAILED, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, g_settings.ShowFileSamples);
    EXPECT_EQ(44, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMHEIGHT, 0, 0));
    SendDlgItemMessageA(window_, IDC_INSTALLED_DETAILED, BM_CLICK, 0, 0);
    EXPECT_EQ(1u, g_settings.ShowFontSamples);
    EXPECT_EQ(44, SendMessageA(List(IDC_INSTALLED_LIST), LB_GETITEMHEIGHT, 0, 0));
}

TEST_F(CommandsTest, DoubleClicksMoveBetweenFoldersButNeverIntoTheFontsFolder) {
    // A long name keeps its letters, in the row and in the path.
    CreateDirectoryA((folder_ + "\\Inner Folder").c_str(), nullptr);
    ASSERT_TRUE(WriteFile(folder_ + "\\Inner Folder\\deep.ttf", "x"));
    Start();
    DoubleClick("[Inner Folder]");
    EXPECT_EQ(folder_ + "\\Inner Folder", Cwd());
    EXPECT_GE(Row(IDC_FILE_LIST, "deep.ttf"), 0);
    char title[MAX_PATH + 64] = "";
    GetWindowTextA(window_, title, sizeof title);
    EXPECT_EQ("Quillmere 2.0d  [" + folder_ + "\\Inner Folder]", std::string(title));
    DoubleClick("[..]");
    EXPECT_EQ(folder_, Cwd());
    EXPECT_EQ((std::vector<std::string>{folder_ + "\\Inner Folder", folder_}), Recent());

    // Into the Windows fonts folder: refused with a message, list unchanged.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_EQ(0, _chdir(windows));
    SendMessageA(window_, WM_COMMAND, IDM_FILES_CLEAR_ALL, 0);
    FreeFileSamples(window_, IDC_FILE_LIST);
    FillFileList(window_, IDC_FILE_LIST);
    {
        ModalWatcher watcher(IDOK);
        DoubleClick("[fonts]");
        ASSERT_EQ(1u, watcher.seen().size());
        EXPECT_EQ("Message", watcher.seen()[0].caption);
        EXPECT_EQ("Quillmere can't access the Windows font directory directly.", watcher.seen()[0].text);
    }
    EXPECT_EQ(0, lstrcmpiA(windows, Cwd().c_str()));
    EXPECT_GE(Row(IDC_FILE_LIST, "[fonts]"), 0);
}

TEST_F(CommandsTest, RecentDirectoriesKeepTheNineNewestOnce) {
    // Relative and network paths in the settings file are never taken.
    Start("FileMenuPath = fonts\r\nFileMenuPath = \\\\server\\share\r\nFileMenuPath = C:\\Good\r\n");
    EXPECT_EQ(std::vector<std::string>{"C:\\Good"}, Recent());

    for (int i = 0; i < 10; ++i) AddRecent(("C:\\Visit" + std::to_string(i)).c_str());
    std::vector<std::string> want;
    for (int i = 1; i < 10; ++i) want.push_back("C:\\Visit" + std::to_string(i));
    EXPECT_EQ(want, Recent());

    // The same folder in other letters is one entry, moved to the bottom.
    AddRecent("c:\\VISIT3");
    want.erase(want.begin() + 2);
    want.push_back("c:\\VISIT3");
    EXPECT_EQ(want, Recent());

    // Shift held: the first entry goes and the rest answer 10000 up.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(window_, WM_COMMAND, IDM_RECENT_FIRST, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    want.erase(want.begin());
    EXPECT_EQ(want, Recent());

    // Choosing an entry goes there and refills the list, status untouched.
    CreateDirectoryA((folder_ + "\\There").c_str(), nullptr);
    ASSERT_TRUE(WriteFile(folder_ + "\\There\\t.ttf", "x"));
    AddRecent((folder_ + "\\There").c_str());
    SetDlgItemTextA(window_, IDC_FILE_STATUS, "left alone");
    SendMessageA(window_, WM_COMMAND, IDM_RECENT_FIRST + g_recent.count - 1, 0);
    EXPECT_EQ(folder_ + "\\There", Cwd());
    EXPECT_GE(Row(IDC_FILE_LIST, "t.ttf"), 0);
    EXPECT_EQ("left alone", Status(IDC_FILE_STATUS));

    // Closing writes them back in menu order.
    const std::vector<std::string> saved = Recent();
    SendMessageA(window_, WM_CLOSE, 0, 0);
    window_ = nullptr;
    FlushEvents();
    const Bytes text = ReadFileBytes(iniPath_);
    std::string lines;
    for (const std::string& path : saved) lines += "FileMenuPath = " + path + "\r\n";
    EXPECT_EQ(text.size() - lines.size(), text.rfind(lines)) << text;
}

TEST_F(CommandsTest, AnOffLineDriveIsReportedAndLeftAlone) {
    EXPECT_FALSE(DriveIsOffline('C' - 'A'));
    // The test prefix's drive Q: leads to a folder that is not there.
    EXPECT_TRUE(DriveIsOffline('Q' - 'A'));
    Start();
    AddRecent("Q:\\Fonts");
    const std::string before = Cwd();
    {
        ModalWatcher watcher(IDOK);
        SendMessageA(window_, WM_COMMAND, IDM_RECENT_FIRST + g_recent.count - 1, 0);
        ASSERT_EQ(1u, watcher.seen().size());
        EXPECT_EQ("The selected drive is off line.", watcher.seen()[0].text);
    }
    EXPECT_EQ(before, Cwd());
}

}  // namespace
