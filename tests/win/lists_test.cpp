// The two lists, filled into real list boxes with the main window's styles.
#include <gtest/gtest.h>

#include <direct.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "samples/filesample.h"
#include "wintest.h"

namespace {

constexpr int kInstalledId = 101;
constexpr int kFileId = 111;
constexpr DWORD kListStyle = 0x50A008DB;

// A top-level window holding the two lists, as the main window does.
class ListsTest : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuillmereListsTest";
        RegisterClassA(&wc);
        parent_ = CreateWindowExA(0, wc.lpszClassName, "lists", WS_OVERLAPPEDWINDOW, 0, 0, 600, 420, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        ASSERT_NE(nullptr, parent_);
        for (int id : {kInstalledId, kFileId}) {
            HWND list = CreateWindowExA(0, "listbox", "", kListStyle, 8, 8, 250, 300, parent_,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, nullptr);
            ASSERT_NE(nullptr, list);
        }
        ASSERT_NE(nullptr, _getcwd(saved_, sizeof saved_));
        ResetSettings(g_settings);
    }
    void TearDown() override {
        FreeInstalledEntries(List(kInstalledId));
        DestroyWindow(parent_);
        _chdir(saved_);
        ResetSettings(g_settings);
    }
    HWND List(int id) const { return GetDlgItem(parent_, id); }
    std::vector<std::string> Rows(int id) const {
        std::vector<std::string> rows;
        const int count = static_cast<int>(SendMessageA(List(id), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[300] = "";
            SendMessageA(List(id), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            rows.push_back(text);
        }
        return rows;
    }
    void ExpectAllItemData(int id, LRESULT value, int line) const {
        const int count = static_cast<int>(SendMessageA(List(id), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(value, SendMessageA(List(id), LB_GETITEMDATA, i, 0)) << "row " << i << " from line " << line;
        }
    }
    HWND parent_ = nullptr;
    char saved_[MAX_PATH] = "";
};

// Every row that names a drive, as the system reports its drives.
std::vector<std::string> DriveRows() {
    std::vector<std::string> rows;
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (drives & (1u << letter)) rows.push_back(std::string("[-") + static_cast<char>('a' + letter) + "-]");
    }
    return rows;
}

void Touch(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
    CloseHandle(h);
}

TEST_F(ListsTest, FileListShowsFontFilesFoldersAndDrivesInOrder) {
    const std::string folder = NewTestFolder();
    for (const char* name : {"FOO.TTF", "Long Font Name.TTF", "Abc.ttf", "mixed.TtF", "note.otf", "raster.fon",
                             "readme.txt"}) {
        Touch(folder + "\\" + name);
    }
    Touch(folder + "\\hidden.ttf", FILE_ATTRIBUTE_HIDDEN);
    Touch(folder + "\\system.ttf", FILE_ATTRIBUTE_SYSTEM);
    for (const char* dir : {"Fonts2", "zzz", "Long Folder Name"}) CreateDirectoryA((folder + "\\" + dir).c_str(), nullptr);
    ASSERT_EQ(0, _chdir(folder.c_str()));

    FillFileList(parent_, kFileId);
    // "[zzz]" sorts after "[-z-]" by lstrcmpA, yet the drives stay last.
    std::vector<std::string> want = {"[..]",      "[fonts2]",  "[Long Folder Name]", "[zzz]",
                                     "abc.ttf",   "foo.ttf",   "hidden.ttf",         "Long Font Name.TTF",
                                     "mixed.ttf", "system.ttf"};
    for (const std::string& drive : DriveRows()) want.push_back(drive);
    EXPECT_EQ(want, Rows(kFileId));
    ExpectAllItemData(kFileId, 0, __LINE__);
    EXPECT_EQ(44, SendMessageA(List(kFileId), LB_GETITEMHEIGHT, 0, 0));

    // Samples: images are freed, failures keep their mark.
    HGLOBAL image = GlobalAlloc(GHND, 64);
    SendMessageA(List(kFileId), LB_SETITEMDATA, 4, reinterpret_cast<LPARAM>(image));
    SendMessageA(List(kFileId), LB_SETITEMDATA, 5, reinterpret_cast<LPARAM>(SampleFailed()));
    FreeFileSamples(parent_, kFileId);
    EXPECT_EQ(0, SendMessageA(List(kFileId), LB_GETITEMDATA, 4, 0));
    EXPECT_EQ(-1, SendMessageA(List(kFileId), LB_GETITEMDATA, 5, 0));

    // An empty folder: its parent and the drives; a root: no parent.
    g_settings.ShowFileSamples = 0;
    CreateDirectoryA("empty", nullptr);
    ASSERT_EQ(0, _chdir("empty"));
    FillFileList(parent_, kFileId);
    want = {"[..]"};
    for (const std::string& drive : DriveRows()) want.push_back(drive);
    EXPECT_EQ(want, Rows(kFileId));
    EXPECT_EQ(20, SendMessageA(List(kFileId), LB_GETITEMHEIGHT, 0, 0));
    ASSERT_EQ(0, _chdir("C:\\"));
    FillFileList(parent_, kFileId);
    const auto root = Rows(kFileId);
    EXPECT_EQ(root.end(), std::find(root.begin(), root.end(), "[..]"));
    EXPECT_EQ(DriveRows().back(), root.back());
}

TEST_F(ListsTest, InstalledListHasEachTrueTypeFamilyOnceWithItsEntry) {
    FillInstalledList(parent_, kInstalledId);
    const auto rows = Rows(kInstalledId);
    ASSERT_GT(rows.size(), 5u);
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        EXPECT_NE(0, lstrcmpiA(rows[i].c_str(), rows[i + 1].c_str())) << "listed twice: " << rows[i];
    }
    auto listed = [&](const char* name) { return std::find(rows.begin(), rows.end(), name) != rows.end(); };
    EXPECT_TRUE(listed("DejaVu Sans")) << "a family with many character sets";
    EXPECT_TRUE(listed("Wingdings")) << "a symbol font";
    EXPECT_FALSE(listed("MS Sans Serif")) << "a raster font";
    EXPECT_EQ(44, SendMessageA(List(kInstalledId), LB_GETITEMHEIGHT, 0, 0));

    for (size_t i = 0; i < rows.size(); ++i) {
        char full[kEntryNameSize] = "", face[kEntryNameSize] = "";
        ASSERT_TRUE(EntryFullName(List(kInstalledId), static_cast<int>(i), full)) << rows[i];
        ASSERT_TRUE(EntryFaceName(List(kInstalledId), static_cast<int>(i), face));
        EXPECT_EQ(rows[i].substr(0, kEntryNameSize - 1), full);
        EXPECT_NE(nullptr, EntryFont(List(kInstalledId), static_cast<int>(i)));
        if (rows[i] == "DejaVu Sans Bold") EXPECT_STREQ("DejaVu Sans", face);
    }
    FreeInstalledEntries(List(kInstalledId));
    ExpectAllItemData(kInstalledId, 0, __LINE__);
    char name[kEntryNameSize] = "untouched";
    EXPECT_FALSE(EntryFullName(List(kInstalledId), 0, name));
    EXPECT_STREQ("untouched", name);
    EXPECT_EQ(nullptr, EntryFont(List(kInstalledId), 0));

    // The combo box of face names leaves symbol fonts out.
    HWND combo = CreateWindowExA(0, "combobox", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT, 0, 0, 200, 200, parent_,
                                 reinterpret_cast<HMENU>(500), nullptr, nullptr);
    FillFontCombo(parent_, 500);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Wingdings")));
    EXPECT_NE(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("DejaVu Sans")));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("MS Sans Serif")));
}

TEST_F(ListsTest, FontFileLookupAndFontsDirectory) {
    EXPECT_TRUE(IsWindowsNT());
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", FontRegistryKey());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, FontRegistryKey(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    const char file[] = "qmprobe.ttf";
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Quillmere Probe (TrueType)", 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(file), sizeof file));
    EXPECT_STREQ("qmprobe.ttf", FontFileOfInstalledFont("Quillmere Probe"));
    EXPECT_STREQ("", FontFileOfInstalledFont("Quillmere Probe Bold"));
    RegDeleteValueA(key, "Quillmere Probe (TrueType)");
    RegCloseKey(key);
    EXPECT_STREQ("", FontFileOfInstalledFont("Quillmere Probe"));

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_EQ(0, lstrcmpiA((std::string(windows) + "\\Fonts\\").c_str(), FontsDirectory())) << FontsDirectory();
}

}  // namespace

namespace {

// Runs inside a copy of this test program that Wine is told to present as
// Windows 98 (see the test below); skipped in a normal run.
TEST(Windows95Family, FontKeyIsTheWindowsKey) {
    if (!getenv("QM_EXPECT_WINDOWS_95")) GTEST_SKIP() << "runs only as the Windows 98 copy";
    EXPECT_FALSE(IsWindowsNT());
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts", FontRegistryKey());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, FontRegistryKey(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    const char file[] = "qm95.ttf";
    RegSetValueExA(key, "Quillmere Ninety-Five (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(file), sizeof file);
    EXPECT_STREQ("qm95.ttf", FontFileOfInstalledFont("Quillmere Ninety-Five"));
    RegDeleteValueA(key, "Quillmere Ninety-Five (TrueType)");
    RegCloseKey(key);
    // The Windows NT key is never read on this family.
    HKEY nt;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                             0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &nt, nullptr));
    RegSetValueExA(nt, "Quillmere Ninety-Five (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>(file), sizeof file);
    EXPECT_STREQ("", FontFileOfInstalledFont("Quillmere Ninety-Five"));
    RegDeleteValueA(nt, "Quillmere Ninety-Five (TrueType)");
    RegCloseKey(nt);
}

TEST(Windows95Family, ACopyPresentedAsWindows98ReadsTheWindowsKey) {
    if (getenv("QM_EXPECT_WINDOWS_95")) GTEST_SKIP();
    char self[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    GetTempPathA(sizeof temp, temp);
    const std::string copy = std::string(temp) + "qmwin98probe.exe";
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\qmwin98probe.exe", 0,
                                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(key);
    SetEnvironmentVariableA("QM_EXPECT_WINDOWS_95", "1");
    std::string command = "\"" + copy + "\" --gtest_filter=Windows95Family.FontKeyIsTheWindowsKey --gtest_brief=1";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    SetEnvironmentVariableA("QM_EXPECT_WINDOWS_95", nullptr);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(0u, code) << "the Windows 98 copy failed; its output is above";
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\qmwin98probe.exe");
    DeleteFileA(copy.c_str());
}

}  // namespace
