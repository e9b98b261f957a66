// The two lists of the real main window: which rows, in which order, with which row data.
#include <direct.h>

#include <algorithm>

#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "resources/resource.h"
#include "samples/filesample.h"
#include "wintest.h"

namespace {

using ListsTest = MainWindowFixture;

// The rows followed by every drive's row, as the system reports its drives.
std::vector<std::string> WithDrives(std::vector<std::string> rows) {
    for (int letter = 0; letter < 26; ++letter) {
        if (GetLogicalDrives() & (1u << letter)) rows.push_back(std::string("[-") + char('a' + letter) + "-]");
    }
    return rows;
}

TEST_F(ListsTest, FontFilesFoldersAndDrivesInOrderAndEachTrueTypeFamilyOnce) {
    for (const char* name : {"FOO.TTF", "Long Font Name.TTF", "Abc.ttf", "mixed.TtF", "note.otf", "raster.fon",
                             "readme.txt", "hidden.ttf"}) {
        ASSERT_TRUE(WriteFile(folder_ + "\\" + name, "x"));
    }
    SetFileAttributesA((folder_ + "\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const char* dir : {"Fonts2", "zzz", "Long Folder Name"}) CreateDirectoryA((folder_ + "\\" + dir).c_str(), nullptr);
    Start("ShowFileSamples = 1\r\nShowFontSamples = 1\r\n");
    // "[zzz]" sorts after "[-z-]" by the system's word order, yet the drives stay last; a name that fits 8.3 is shown
    // in lower case.
    EXPECT_EQ(WithDrives({"[..]", "[fonts2]", "[Long Folder Name]", "[zzz]", "abc.ttf", "foo.ttf", "hidden.ttf",
                          "Long Font Name.TTF", "mixed.ttf"}),
              Rows(IDC_FILE_LIST));

    // Sample images are freed; a failed row keeps its mark.
    HGLOBAL image = GlobalAlloc(GHND, 64);
    SendMessageA(List(IDC_FILE_LIST), LB_SETITEMDATA, 0, reinterpret_cast<LPARAM>(image));
    SendMessageA(List(IDC_FILE_LIST), LB_SETITEMDATA, 5, reinterpret_cast<LPARAM>(SampleFailed()));
    FreeFileSamples(window_, IDC_FILE_LIST);
    EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMDATA, 0, 0));
    EXPECT_EQ(-1, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMDATA, 5, 0));

    // A filled list's rows carry no data; an empty folder shows its parent and the drives; a drive's root has no
    // parent.
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\zzz\\empty").c_str(), nullptr));
    ASSERT_EQ(0, _chdir((folder_ + "\\zzz\\empty").c_str()));
    FillFileList(window_, IDC_FILE_LIST);
    const std::vector<std::string> want = WithDrives({"[..]"});
    EXPECT_EQ(want, Rows(IDC_FILE_LIST));
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(0, SendMessageA(List(IDC_FILE_LIST), LB_GETITEMDATA, i, 0));
    ASSERT_EQ(0, _chdir("C:\\"));
    FillFileList(window_, IDC_FILE_LIST);
    const std::vector<std::string> root = Rows(IDC_FILE_LIST);
    EXPECT_EQ(root.end(), std::find(root.begin(), root.end(), "[..]"));
    EXPECT_EQ(WithDrives({}).back(), root.back());

    // The installed list: each TrueType family once, with its entry.
    const std::vector<std::string> rows = Rows(IDC_INSTALLED_LIST);
    for (size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_NE(rows[i], rows[i + 1]) << "listed twice";
    auto listed = [&](const char* name) { return std::find(rows.begin(), rows.end(), name) != rows.end(); };
    EXPECT_TRUE(listed("DejaVu Sans") && listed("DejaVu Sans Mono")) << "families of many character sets";
    EXPECT_TRUE(listed("Wingdings")) << "a symbol font";
    EXPECT_FALSE(listed("MS Sans Serif")) << "a raster font";
    EXPECT_EQ(44, Height(IDC_INSTALLED_LIST));
    for (size_t i = 0; i < rows.size(); ++i) {
        char full[kEntryNameSize] = "", face[kEntryNameSize] = "";
        ASSERT_TRUE(EntryFullName(List(IDC_INSTALLED_LIST), static_cast<int>(i), full)) << rows[i];
        ASSERT_TRUE(EntryFaceName(List(IDC_INSTALLED_LIST), static_cast<int>(i), face));
        EXPECT_EQ(rows[i].substr(0, kEntryNameSize - 1), full);
        LOGFONTA font = {};
        GetObjectA(EntryFont(List(IDC_INSTALLED_LIST), static_cast<int>(i)), sizeof font, &font);
        EXPECT_EQ(24, font.lfHeight);
        if (rows[i] == "DejaVu Sans Mono") EXPECT_STREQ("DejaVu Sans Mono", face);
    }
    FreeInstalledEntries(List(IDC_INSTALLED_LIST));
    char name[kEntryNameSize] = "untouched";
    EXPECT_FALSE(EntryFullName(List(IDC_INSTALLED_LIST), 0, name));
    EXPECT_STREQ("untouched", name);
    EXPECT_EQ(nullptr, EntryFont(List(IDC_INSTALLED_LIST), 0));
}

// A value too long to name a file in the fonts folder names none.
TEST(FontFileOfInstalledFont, ValuesOfUpTo258Characters) {
    for (const size_t length : {258u, 259u}) {
        SetFontValue("Quillmere Long (TrueType)", std::string(length, 'f'));
        EXPECT_EQ(std::string(length == 258 ? length : 0, 'f'), FontFileOfInstalledFont("Quillmere Long"));
    }
    // A full name too long for the value's name names nothing, not the file of the name cut short.
    const std::string longName = "Quillmere Long " + std::string(270, 'n');
    SetFontValue((longName + " (TrueType)").substr(0, MAX_PATH + 15), "qml-cut.ttf");
    EXPECT_STREQ("", FontFileOfInstalledFont(longName.c_str()));
    SweepTestFonts("qml-", "Quillmere Long");
}

}  // namespace
