// The main window's commands and moves between folders, on the real window: status lines and greyed commands, select
// all, the "Detailed" switches, double clicks into folders and drives, the refused fonts folder, the recent
// directories of the File menu, and the message helper behind the status lines and boxes.
#include <direct.h>

#include "app/startup.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "lists/filelist.h"
#include "platform/messages.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

class CommandsTest : public MainWindowFixture {
protected:
    // Both status lines, then the states of each side's commands (menu+button: 1 enabled, 0 greyed).
    std::string State() const {
        std::string text = Status(IDC_INSTALLED_STATUS) + " | " + Status(IDC_FILE_STATUS);
        for (int id : {0, 105, 120, 108, 0, 113, 116, 117, 118, 107}) {
            HWND button = GetDlgItem(window_, id);
            text += id == 0 ? " | " : (GetMenuState(GetMenu(window_), id, MF_BYCOMMAND) & MF_GRAYED) ? "0" : "1";
            if (id && button) text += IsWindowEnabled(button) ? "1" : "0";
        }
        return text;
    }
    void DoubleClick(const char* row) { MainWindowFixture::DoubleClick(IDC_FILE_LIST, row); }
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
    static std::string Cwd() { char here[MAX_PATH] = ""; return _getcwd(here, sizeof here) ? here : ""; }
    static void Shift(bool down) {
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
    const std::string none = "No fonts selected | No fonts selected | 00000 | 0000000000";
    EXPECT_EQ(none, State());

    // One file row: the file-side commands alone come alive. A directory row selected by hand loses its selection and
    // never counts.
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, Row(IDC_FILE_LIST, "c.ttf"));
    SendMessageA(List(IDC_FILE_LIST), LB_SETSEL, TRUE, Row(IDC_FILE_LIST, "[sub]"));
    EXPECT_EQ(0, Command(IDC_FILE_LIST, LBN_SELCHANGE));
    EXPECT_EQ("No fonts selected | One font selected | 00000 | 1111111111", State());
    EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETSEL, Row(IDC_FILE_LIST, "[sub]"), 0));

    // Select All takes the five files and no folder or drive.
    Command(IDM_FILES_SELECT_ALL);
    EXPECT_EQ(5, SendMessageA(List(IDC_FILE_LIST), LB_GETSELCOUNT, 0, 0));
    EXPECT_EQ("No fonts selected | 5 fonts selected | 00000 | 1111111111", State());
    Command(IDM_FILES_CLEAR_ALL);
    EXPECT_EQ(none, State());
    const LRESULT families = SendMessageA(List(IDC_INSTALLED_LIST), LB_GETCOUNT, 0, 0);
    Command(IDM_INSTALLED_SELECT_ALL);
    EXPECT_EQ(std::to_string(families) + " fonts selected | No fonts selected | 11111 | 0000000000", State());
    Command(IDM_INSTALLED_CLEAR_ALL);
    EXPECT_EQ(none, State());

    // "Detailed" switches the row height and the setting at once: file rows, font rows.
    const std::pair<int, std::vector<LRESULT>> clicks[] = {{IDC_FILES_DETAILED, {44, 20, 1, 0}},
                                                           {IDC_INSTALLED_DETAILED, {44, 44, 1, 1}},
                                                           {IDC_FILES_DETAILED, {20, 44, 0, 1}}};
    for (const auto& [box, want] : clicks) {
        SendDlgItemMessageA(window_, box, BM_CLICK, 0, 0);
        EXPECT_EQ(want, (std::vector<LRESULT>{Height(IDC_FILE_LIST), Height(IDC_INSTALLED_LIST),
                                              g_settings.ShowFileSamples, g_settings.ShowFontSamples}));
    }
}

HMENU g_opened = nullptr;
LRESULT CALLBACK NoteMenu(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const bool opening = code == HC_ACTION && message->message == WM_INITMENUPOPUP;
    if (opening) g_opened = reinterpret_cast<HMENU>(message->wParam);
    if (opening) EndMenu();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A right click on a list opens that list's menu at the cursor; anywhere else opens nothing.
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
    EXPECT_EQ("Copy to " + folder_ + "\\Inner Folder\\", MenuText(IDM_COPY_TO));
    DoubleClick("[..]");
    EXPECT_EQ(folder_, Cwd());
    EXPECT_EQ((std::vector<std::string>{folder_ + "\\Inner Folder", folder_}), RecentMenu());

    // An off-line drive (the test prefix's Q:) is reported and left alone; another drive is entered at its own
    // current directory.
    Run([&] { DoubleClick("[-q-]"); }, {}, {{"The selected drive is off line.", kTell}});
    EXPECT_EQ(folder_, Cwd());
    DoubleClick("[-z-]");
    EXPECT_EQ('Z', Cwd()[0]);
    ASSERT_EQ(0, _chdir(folder_.c_str()));

    // Into the Windows fonts folder: refused, the list still shows where the user was.
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    ASSERT_EQ(0, _chdir(windows));
    FillFileList(window_, IDC_FILE_LIST);
    Run([&] { DoubleClick("[fonts]"); }, {}, {{"Quillmere can't access the Windows font directory directly.", kTell}});
    EXPECT_EQ(0, lstrcmpiA(windows, Cwd().c_str()));
    EXPECT_GE(Row(IDC_FILE_LIST, "[fonts]"), 0);
}

TEST_F(CommandsTest, RecentDirectoriesGoThereOrGoAwayWithShift) {
    CreateDirectoryA((folder_ + "\\There").c_str(), nullptr);
    ASSERT_TRUE(WriteFile(folder_ + "\\There\\t.ttf", "x"));
    Start("FileMenuPath = C:\\\r\nFileMenuPath = \\\\server\\share\r\nFileMenuPath = " + folder_ +
          "\\There\r\nFileMenuPath = Q:\\Fonts\r\n");
    const std::vector<std::string> loaded = {"C:\\", folder_ + "\\There", "Q:\\Fonts"};
    EXPECT_EQ(loaded, RecentMenu());

    // Choosing an entry goes there and fills the list again, moving the entry to the bottom; the status lines are
    // left as they were.
    SetDlgItemTextA(window_, IDC_FILE_STATUS, "left alone");
    Command(IDM_RECENT_FIRST + 1);
    EXPECT_EQ(folder_ + "\\There", Cwd());
    EXPECT_GE(Row(IDC_FILE_LIST, "t.ttf"), 0);
    EXPECT_EQ("left alone", Status(IDC_FILE_STATUS));
    EXPECT_EQ((std::vector<std::string>{"C:\\", "Q:\\Fonts", folder_ + "\\There"}), RecentMenu());

    // An entry on an off-line drive is reported and nothing moves.
    Run([&] { Command(IDM_RECENT_FIRST + 1); }, {}, {{"The selected drive is off line.", kTell}});
    EXPECT_EQ(folder_ + "\\There", Cwd());
    // A drive's root is entered as the root, not as the drive's current folder.
    Command(IDM_RECENT_FIRST);
    EXPECT_EQ("C:\\", Cwd());

    // Shift held: the first entry goes, the others answer from 10000 up.
    Shift(true);
    Command(IDM_RECENT_FIRST);
    Shift(false);
    EXPECT_EQ((std::vector<std::string>{folder_ + "\\There", "C:\\"}), RecentMenu());
    EXPECT_EQ("C:\\", Cwd());
    EXPECT_EQ(0, Command(IDM_RECENT_FIRST + 2)) << "beyond the list: nothing";
    EXPECT_EQ(2, g_recent.count);
}

// The message helper the status lines and every box use, over the program's string table.
TEST(Messages, MissingEntriesAndFormatting) {
    for (UINT id : {0u, 100u, 156u, 2999u, 3003u}) {
        EXPECT_STREQ("String table error - this application may be damaged", LoadMessageText(id)) << id;
    }
    EXPECT_STREQ("One file", LoadMessageText(MSG_SUMMARY_ONE_FILE)) << "the buffer is reused";
    char text[64];
    EXPECT_STREQ("5 fon", FormatMessageText(text, 6, MSG_FONTS_SELECTED, 5u));
    EXPECT_STREQ("", FormatMessageText(text, 1, MSG_FONTS_SELECTED, 5u));
    // A phrase straight from LoadMessageText survives the sentence's load.
    EXPECT_STREQ("No files processed.",
                 FormatMessageText(text, sizeof text, MSG_SUMMARY_PROCESSED, LoadMessageText(MSG_SUMMARY_NO_FILES)));
}

}  // namespace
