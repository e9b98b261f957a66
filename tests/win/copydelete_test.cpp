// Copying installed fonts out and deleting font files on the real main
// window: the exact bytes left on disk, every question and summary with its
// text and buttons, and what each failure leaves behind. A file of the
// user's that stands in the way must come through byte for byte.
#include <direct.h>

#include <cstring>
#include <functional>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "truetype/namerewrite.h"
#include "wintest.h"

namespace {

// Everything the tests put into the system starts with these.
const char kFilePrefix[] = "qmc-";
const char kFontPrefix[] = "Quillmere CopyTest";
const UINT kAskOrCancel = MB_YESNOCANCEL | MB_ICONQUESTION;

// Volume and file index: which file a name leads to, whatever its bytes.
std::string FileIdentity(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool read = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!read) return "none";
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class CopyDeleteTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        fonts_ = FontsDirectory();
        Sweep();
    }
    void TearDown() override {
        PlatFailNth(PlatOp::Any, 0);
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        MainWindowFixture::TearDown();
        Sweep();
    }
    // Takes out the test's files in the fonts folder, its values and the
    // fonts this process added.
    void Sweep() { SweepTestFonts(kFilePrefix, kFontPrefix); }
    // Installs a copy of a real font under a name of its own, as the
    // system keeps it: file in the fonts folder, font table, registry value.
    // Returns the installed file's bytes.
    Bytes Install(const std::string& file, const std::string& fullName) {
        const std::string path = fonts_ + file;
        EXPECT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), path));
        EXPECT_TRUE(RewriteFontName(fullName.c_str(), path.c_str())) << path;
        EXPECT_GT(AddFontResourceA(path.c_str()), 0);
        SetFontValue(fullName + " (TrueType)", file);
        return ReadFileBytes(path);
    }
    Bytes Here(const std::string& file) const { return ReadFileBytes(folder_ + "\\" + file); }
    bool HereExists(const std::string& file) const { return Exists(folder_ + "\\" + file); }
    // Files left in the folder by a copy that did not finish.
    int Leftovers() const {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder_ + "\\*.tmp").c_str(), &found);
        int count = 0;
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) ++count;
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        return count;
    }
    HANDLE held_ = INVALID_HANDLE_VALUE;
    std::string fonts_;
};

TEST_F(CopyDeleteTest, CopiesInstalledFontsOutAndAsksBeforeReplacingTheUsersFiles) {
    const Bytes a = Install("qmc-a.ttf", "Quillmere CopyTest A");
    const Bytes b = Install("qmc-b.ttf", "Quillmere CopyTest B");
    const Bytes c = Install("qmc-c.ttf", "Quillmere CopyTest C");
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-b.ttf", "the user's own b"));
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-c.ttf", "the user's own c"));
    Start();
    ASSERT_EQ(LB_ERR, Row(IDC_FILE_LIST, "qmc-a.ttf"));

    // No skips but counts; Yes replaces.
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest A", "Quillmere CopyTest B", "Quillmere CopyTest C"});
    RunCommand(IDM_COPY_TO, {IDNO, IDYES},
        {{Msg(MSG_COPY_OVERWRITE, "Quillmere CopyTest B", "qmc-b.ttf"), kAskOrCancel},
         {Msg(MSG_COPY_OVERWRITE, "Quillmere CopyTest C", "qmc-c.ttf"), kAskOrCancel},
         {"3 files processed.", kTell}},
        __LINE__);
    EXPECT_EQ(a, Here("qmc-a.ttf"));
    EXPECT_EQ("the user's own b", Here("qmc-b.ttf"));
    EXPECT_EQ(c, Here("qmc-c.ttf"));
    EXPECT_EQ(0, Leftovers());
    // The file list shows the copies; the fonts stay installed.
    EXPECT_GE(Row(IDC_FILE_LIST, "qmc-a.ttf"), 0);
    EXPECT_EQ(a, ReadFileBytes(fonts_ + "qmc-a.ttf"));
    EXPECT_EQ("3 fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));

    // Cancel stops at once: the fonts after it are not even looked at.
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-a.ttf", "the user's own a"));
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest A", "Quillmere CopyTest B"});
    RunCommand(IDM_COPY_TO, {IDCANCEL},
        {{Msg(MSG_COPY_OVERWRITE, "Quillmere CopyTest A", "qmc-a.ttf"), kAskOrCancel}, {"No files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("the user's own a", Here("qmc-a.ttf"));
    EXPECT_EQ("the user's own b", Here("qmc-b.ttf"));

    // Without the setting the file is replaced silently; without the other
    // no summary either.
    g_settings.PromptBeforeOverwrite = 0;
    RunCommand(IDM_COPY_TO, {}, {{"2 files processed.", kTell}}, __LINE__);
    EXPECT_EQ(a, Here("qmc-a.ttf"));
    EXPECT_EQ(b, Here("qmc-b.ttf"));
    g_settings.PromptWhenDone = 0;
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-b.ttf", "the user's own b"));
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest B"});
    RunCommand(IDM_COPY_TO, {}, {}, __LINE__);
    EXPECT_EQ(b, Here("qmc-b.ttf"));
    EXPECT_EQ(0, Leftovers());

    // Shown the fonts folder itself, the copy would be the font's own file:
    // it is left whole.
    g_settings.PromptWhenDone = 1;
    const std::string identity = FileIdentity(fonts_ + "qmc-b.ttf");
    ASSERT_EQ(0, _chdir(fonts_.c_str()));
    RunCommand(IDM_COPY_TO, {}, {{"One file processed.", kTell}}, __LINE__);
    EXPECT_EQ(b, ReadFileBytes(fonts_ + "qmc-b.ttf"));
    EXPECT_EQ(identity, FileIdentity(fonts_ + "qmc-b.ttf")) << "not even replaced by a copy of itself";
}

TEST_F(CopyDeleteTest, FailedCopiesAreReportedAndLeaveNoPartialFile) {
    const Bytes a = Install("qmc-a.ttf", "Quillmere CopyTest A");
    const Bytes b = Install("qmc-b.ttf", "Quillmere CopyTest B");
    Install("qmc-c.ttf", "Quillmere CopyTest C");
    Install("qmc-d.ttf", "Quillmere CopyTest D");
    Install("qmc-e.ttf", "Quillmere CopyTest E");
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-a.ttf", "the user's own a"));
    Start();
    const std::string shown = folder_ + "\\";

    // A copy that breaks off after Yes: the user's file comes through.
    PlatFailNth(PlatOp::LzCopy, 1, ERROR_DISK_FULL);
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest A", "Quillmere CopyTest B"});
    RunCommand(IDM_COPY_TO, {IDYES, IDYES},
        {{Msg(MSG_COPY_OVERWRITE, "Quillmere CopyTest A", "qmc-a.ttf"), kAskOrCancel},
         {Msg(MSG_COPY_FAILED, "Quillmere CopyTest A", "qmc-a.ttf", shown.c_str()), kAsk},
         {"2 files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("the user's own a", Here("qmc-a.ttf"));
    EXPECT_EQ(b, Here("qmc-b.ttf"));
    EXPECT_EQ(0, Leftovers());

    // An empty file gives no bytes to copy: reported, nothing left; No
    // stops before the next font.
    ASSERT_TRUE(WriteFile(fonts_ + "qmc-empty.ttf", ""));
    SetFontValue("Quillmere CopyTest C (TrueType)", "qmc-empty.ttf");
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest C", "Quillmere CopyTest D"});
    RunCommand(IDM_COPY_TO, {IDNO},
        {{Msg(MSG_COPY_FAILED, "Quillmere CopyTest C", "qmc-empty.ttf", shown.c_str()), kAsk},
         {"No files processed.", kTell}},
        __LINE__);
    EXPECT_FALSE(HereExists("qmc-empty.ttf"));
    EXPECT_FALSE(HereExists("qmc-d.ttf"));
    EXPECT_EQ(0, Leftovers());

    // A missing file is passed over and counted; a value naming no file or
    // a file outside the fonts folder is reported and nothing is written
    // outside the current folder.
    SetFontValue("Quillmere CopyTest C (TrueType)", "qmc-missing.ttf");
    SetFontValue("Quillmere CopyTest D (TrueType)", "");
    SetFontValue("Quillmere CopyTest E (TrueType)", "..\\qmc-out.ttf");
    ASSERT_TRUE(CopyInto(fonts_ + "qmc-e.ttf", fonts_ + "..\\qmc-out.ttf"));
    Select(IDC_INSTALLED_LIST, {"Quillmere CopyTest C", "Quillmere CopyTest D", "Quillmere CopyTest E"});
    RunCommand(IDM_COPY_TO, {IDYES, IDYES},
        {{Msg(MSG_COPY_FAILED, "Quillmere CopyTest D", "", shown.c_str()), kAsk},
         {Msg(MSG_COPY_FAILED, "Quillmere CopyTest E", "..\\qmc-out.ttf", shown.c_str()), kAsk},
         {"3 files processed.", kTell}},
        __LINE__);
    EXPECT_FALSE(Exists(folder_ + "\\..\\qmc-out.ttf"));
    DeleteFileA((fonts_ + "..\\qmc-out.ttf").c_str());
    EXPECT_FALSE(HereExists("qmc-missing.ttf"));
    EXPECT_EQ(a, ReadFileBytes(fonts_ + "qmc-a.ttf"));
}

TEST_F(CopyDeleteTest, DeleteAsksFirstAndDeletesExactlyTheChosenFiles) {
    for (const char* name : {"qmc-1.ttf", "qmc-2.ttf", "qmc-3.ttf", "qmc-4.ttf", "qmc-5.ttf"}) {
        ASSERT_TRUE(WriteFile(folder_ + "\\" + name, std::string("bytes of ") + name));
    }
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\qmcdir").c_str(), nullptr));
    // Not a font file, so not listed; named as the directory row reads.
    ASSERT_TRUE(WriteFile(folder_ + "\\[qmcdir]", "a file of the user's"));
    Start();
    ASSERT_TRUE(WriteFile(folder_ + "\\qmc-new.ttf", "arrived later"));

    // Nothing selected, or only a directory row: nothing at all happens,
    // not even a new listing.
    RunCommand(IDM_DELETE, {}, {}, __LINE__);
    Select(IDC_FILE_LIST, {"[qmcdir]"});
    RunCommand(IDM_DELETE, {}, {}, __LINE__);
    EXPECT_EQ("stale", Status(IDC_FILE_STATUS));
    EXPECT_EQ(LB_ERR, Row(IDC_FILE_LIST, "qmc-new.ttf"));

    // No deletes nothing.
    Select(IDC_FILE_LIST, {"[qmcdir]", "qmc-1.ttf"});
    RunCommand(IDM_DELETE, {IDNO}, {{Msg(MSG_DELETE_CONFIRM, "one file"), kAsk}}, __LINE__);
    EXPECT_EQ("bytes of qmc-1.ttf", Here("qmc-1.ttf"));
    EXPECT_EQ("stale", Status(IDC_FILE_STATUS));

    // Yes: a file held open and a read-only one stay without a word, the
    // others go, the directory and the file named like its row stay, and
    // the summary counts all chosen.
    held_ = CreateFileA((folder_ + "\\qmc-2.ttf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held_);
    ASSERT_TRUE(SetFileAttributesA((folder_ + "\\qmc-3.ttf").c_str(), FILE_ATTRIBUTE_READONLY));
    Select(IDC_FILE_LIST, {"[qmcdir]", "qmc-1.ttf", "qmc-2.ttf", "qmc-3.ttf", "qmc-4.ttf"});
    RunCommand(IDM_DELETE, {IDYES}, {{Msg(MSG_DELETE_CONFIRM, "4 files"), kAsk}, {"4 files processed.", kTell}}, __LINE__);
    EXPECT_FALSE(HereExists("qmc-1.ttf"));
    EXPECT_EQ("bytes of qmc-2.ttf", Here("qmc-2.ttf"));
    EXPECT_EQ("bytes of qmc-3.ttf", Here("qmc-3.ttf"));
    EXPECT_FALSE(HereExists("qmc-4.ttf"));
    EXPECT_EQ("bytes of qmc-5.ttf", Here("qmc-5.ttf"));
    EXPECT_EQ("a file of the user's", Here("[qmcdir]"));
    EXPECT_TRUE(GetFileAttributesA((folder_ + "\\qmcdir").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    // The list is filled again: what went is gone, what came is there.
    EXPECT_EQ(LB_ERR, Row(IDC_FILE_LIST, "qmc-1.ttf"));
    EXPECT_GE(Row(IDC_FILE_LIST, "qmc-2.ttf"), 0);
    EXPECT_GE(Row(IDC_FILE_LIST, "qmc-new.ttf"), 0);
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));

    // Without PromptWhenDone only the question is asked.
    g_settings.PromptWhenDone = 0;
    Select(IDC_FILE_LIST, {"qmc-5.ttf"});
    RunCommand(IDM_DELETE, {IDYES}, {{Msg(MSG_DELETE_CONFIRM, "one file"), kAsk}}, __LINE__);
    EXPECT_FALSE(HereExists("qmc-5.ttf"));
    SetFileAttributesA((folder_ + "\\qmc-3.ttf").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
