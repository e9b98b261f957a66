// Installing and removing fonts on the real main window: the files in the
// fonts folder, the exact registry values, the installed list rebuilt by
// the WM_FONTCHANGE broadcast (counted by a top-level window of our own),
// and every question and summary with its text, buttons and icon. Each
// failure path is checked for what it leaves in the folder and registry.
#include <direct.h>
#include <shlobj.h>

#include <cstring>
#include <functional>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "ops/install.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "truetype/namerewrite.h"
#include "wintest.h"

namespace {

// Everything the tests put into the system starts with these, so that
// TearDown finds and takes it out again whatever went wrong.
const char kFilePrefix[] = "qmt-";
const char kFontPrefix[] = "Quillmere Test";

int g_fontChanges = 0;
LRESULT CALLBACK CountFontChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_fontChanges += message == WM_FONTCHANGE;
    return DefWindowProcA(window, message, wParam, lParam);
}

class InstallTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        fonts_ = FontsDirectory();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CountFontChanges;
        wc.lpszClassName = "QmFontChangeCounter";
        RegisterClassA(&wc);
        counter_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                                   nullptr, nullptr);
        g_fontChanges = 0;
        Sweep();
    }
    void TearDown() override {
        PlatFailNth(PlatOp::Any, 0);
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        MainWindowFixture::TearDown();
        Sweep();
        DestroyWindow(counter_);
    }
    // Takes out the test's files, values and the fonts this process added.
    void Sweep() {
        // Files tried under other names than the prefix, and one that a
        // bad registry value points at outside the fonts folder.
        for (const std::string& name : tried_) {
            while (RemoveFontResourceA((fonts_ + name).c_str())) {
            }
            DeleteFileA((fonts_ + name).c_str());
        }
        DeleteFileA((fonts_ + "..\\qmt-outside.ttf").c_str());
        SweepTestFonts(kFilePrefix, kFontPrefix);
    }
    // A copy of a real font under a name of its own, so not installed yet.
    std::string MakeFont(const std::string& file, const std::string& fullName, std::string folder = "",
                         const char* host = "DejaVuSansMono.ttf") {
        const std::string path = (folder.empty() ? folder_ : folder) + "\\" + file;
        EXPECT_TRUE(CopyInto(HostFont(host), path));
        EXPECT_TRUE(RewriteFontName(fullName.c_str(), path.c_str())) << path;
        tried_.push_back(file);
        return path;
    }
    bool InFonts(const std::string& file) const {
        return GetFileAttributesA((fonts_ + file).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // "installed": the source's bytes in the fonts folder, and the value
    // named after the font holds the bare file name with its terminator.
    // Otherwise what of the two is there.
    std::string State(const std::string& file, const std::string& fullName, const std::string& source) const {
        const std::string value = FontValue(fullName + " (TrueType)");
        const bool copied = InFonts(file) && ReadFileBytes(fonts_ + file) == ReadFileBytes(source);
        if (copied && value == file + '\0') return "installed";
        return (InFonts(file) ? copied ? "copied" : "other file" : "no file") + std::string(", value ") + value;
    }
    std::string RowText(int id, int row) const {
        char text[MAX_PATH] = "";
        SendMessageA(List(id), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The shell's way: a DROPFILES block with the names after it, posted.
    std::function<void()> Drop(const std::vector<std::string>& paths) {
        return [this, paths] {
            std::string names;
            for (const std::string& path : paths) names += path + '\0';
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() + 1);
            auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
            drop->pFiles = sizeof(DROPFILES);
            memcpy(drop + 1, names.data(), names.size());
            GlobalUnlock(block);
            PostMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
            FlushEvents();
        };
    }

    HWND counter_ = nullptr;
    HANDLE held_ = INVALID_HANDLE_VALUE;
    std::string fonts_;
    std::vector<std::string> tried_;
};

TEST_F(InstallTest, SelectedFilesAreInstalledAndRemovedAgain) {
    const std::string one = MakeFont("qmt-one.ttf", "Quillmere Test One");
    const std::string two = MakeFont("qmt-two.TTF", "Quillmere Test Two");
    const std::string three = MakeFont("qmt-three.ttf", "Quillmere Test Three");
    Start();
    ASSERT_EQ(LB_ERR, Row(IDC_INSTALLED_LIST, "Quillmere Test One"));
    RunCommand(IDM_INSTALL, {}, {{"No files processed.", kTell}}, __LINE__);
    EXPECT_EQ(0, g_fontChanges) << "nothing installed, nothing to tell";

    // The row text, as the folder listing spells it, is the installed name.
    const std::string twoRow = RowText(IDC_FILE_LIST, Row(IDC_FILE_LIST, "qmt-two.TTF"));
    Select(IDC_FILE_LIST, {"qmt-one.ttf", twoRow});
    RunCommand(IDM_INSTALL, {}, {{"2 files processed.", kTell}}, __LINE__);
    EXPECT_EQ("installed", State("qmt-one.ttf", "Quillmere Test One", one));
    EXPECT_EQ("installed", State(twoRow, "Quillmere Test Two", two));
    EXPECT_EQ("no file, value none", State("qmt-three.ttf", "Quillmere Test Three", three));
    EXPECT_EQ(1, g_fontChanges);
    // The broadcast rebuilt the list, each new row with its entry.
    char entry[kEntryNameSize] = "";
    ASSERT_TRUE(EntryFullName(List(IDC_INSTALLED_LIST), Row(IDC_INSTALLED_LIST, "Quillmere Test Two"), entry));
    EXPECT_STREQ("Quillmere Test Two", entry);
    EXPECT_GE(Row(IDC_INSTALLED_LIST, "Quillmere Test One"), 0);
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ("2 fonts selected", Status(IDC_FILE_STATUS));
    HFONT font = CreateFontA(20, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Quillmere Test Two");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    EXPECT_STREQ("Quillmere Test Two", face);

    Select(IDC_INSTALLED_LIST, {"Quillmere Test One", "Quillmere Test Two"});
    RunCommand(IDM_REMOVE, {IDYES},
        {{Msg(MSG_REMOVE_CONFIRM, "2 fonts"), kAsk}, {"2 files processed.", kTell}}, __LINE__);
    EXPECT_EQ("no file, value none", State("qmt-one.ttf", "Quillmere Test One", one));
    EXPECT_EQ("no file, value none", State(twoRow, "Quillmere Test Two", two));
    EXPECT_EQ(LB_ERR, Row(IDC_INSTALLED_LIST, "Quillmere Test One"));
    EXPECT_EQ(LB_ERR, Row(IDC_INSTALLED_LIST, "Quillmere Test Two"));
    EXPECT_EQ(2, g_fontChanges);
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));
}

TEST_F(InstallTest, RefusedFilesAskYesSkipsButCountsNoStops) {
    // Taken in the fonts folder, though by no font at all.
    ASSERT_TRUE(WriteFile(fonts_ + "qmt-a-taken.ttf", "another program's file"));
    const std::string taken = MakeFont("qmt-a-taken.ttf", "Quillmere Test Taken");
    ASSERT_TRUE(WriteFile(folder_ + "\\qmt-b-damaged.ttf", "not a font"));
    MakeFont("qmt-c-upper.ttf", "DEJAVU SANS", "", "DejaVuSans.ttf");
    const std::string good = MakeFont("qmt-d-good.ttf", "Quillmere Test Good");
    const std::string last = MakeFont("qmt-e-last.ttf", "Quillmere Test Last");
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\qmtdir").c_str(), nullptr));
    const std::string dejaVu = FontValue("DejaVu Sans (TrueType)");
    Start();
    ASSERT_EQ("DejaVu Sans", RowText(IDC_INSTALLED_LIST, Row(IDC_INSTALLED_LIST, "DejaVu Sans")));

    // A directory row is handed on like a file and cannot be read.
    Select(IDC_FILE_LIST, {"[qmtdir]", "qmt-a-taken.ttf", "qmt-b-damaged.ttf", "qmt-c-upper.ttf", "qmt-d-good.ttf"});
    RunCommand(IDM_INSTALL, {IDYES, IDYES, IDYES, IDYES},
        {{Msg(MSG_INSTALL_FILE_DAMAGED, "[qmtdir]"), kAsk},
         {Msg(MSG_INSTALL_FILE_EXISTS, "qmt-a-taken.ttf"), kAsk},
         {Msg(MSG_INSTALL_FILE_DAMAGED, "qmt-b-damaged.ttf"), kAsk},
         {Msg(MSG_INSTALL_FONT_EXISTS, "DEJAVU SANS"), kAsk},
         {"5 files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("other file, value none", State("qmt-a-taken.ttf", "Quillmere Test Taken", taken));
    EXPECT_EQ("another program's file", ReadFileBytes(fonts_ + "qmt-a-taken.ttf"));
    EXPECT_FALSE(InFonts("[qmtdir]") || InFonts("qmt-b-damaged.ttf") || InFonts("qmt-c-upper.ttf"));
    EXPECT_EQ(dejaVu, FontValue("DejaVu Sans (TrueType)"));
    EXPECT_EQ("installed", State("qmt-d-good.ttf", "Quillmere Test Good", good));
    EXPECT_EQ(1, g_fontChanges);

    // No ends the batch; the summary counts the files before it.
    ASSERT_EQ(0, _unlink((fonts_ + "qmt-a-taken.ttf").c_str()));
    Select(IDC_FILE_LIST, {"qmt-a-taken.ttf", "qmt-b-damaged.ttf", "qmt-e-last.ttf"});
    RunCommand(IDM_INSTALL, {IDNO},
        {{Msg(MSG_INSTALL_FILE_DAMAGED, "qmt-b-damaged.ttf"), kAsk}, {"One file processed.", kTell}}, __LINE__);
    EXPECT_EQ("installed", State("qmt-a-taken.ttf", "Quillmere Test Taken", taken));
    EXPECT_EQ("no file, value none", State("qmt-e-last.ttf", "Quillmere Test Last", last));
    EXPECT_EQ(2, g_fontChanges);
}

TEST_F(InstallTest, DroppedTrueTypeFilesAreInstalledAndOthersPassedOver) {
    // Not the folder the file list shows: a drop gives full paths.
    const std::string elsewhere = NewTestFolder();
    const std::string ttf = MakeFont("qmt-drop.TTF", "Quillmere Test Drop", elsewhere);
    const std::string fon = MakeFont("qmt-drop.fon", "Quillmere Test Fon", elsewhere);
    Start();
    SetWindowPos(counter_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    auto mainIsAbove = [&] {
        HWND w = window_;
        while (w && w != counter_) w = GetWindow(w, GW_HWNDNEXT);
        return w == counter_;
    };
    ASSERT_FALSE(mainIsAbove());
    // Without a box in between (closing one may activate another window):
    // even a drop with nothing to install lifts the window.
    g_settings.PromptWhenDone = 0;
    Run(Drop({fon}), {}, {}, __LINE__);
    EXPECT_TRUE(mainIsAbove());
    EXPECT_EQ(0, g_fontChanges);

    g_settings.PromptWhenDone = 1;
    SetDlgItemTextA(window_, IDC_FILE_STATUS, "stale");
    Run(Drop({fon, ttf}), {}, {{"One file processed.", kTell}}, __LINE__);
    EXPECT_EQ("installed", State("qmt-drop.TTF", "Quillmere Test Drop", ttf));
    EXPECT_EQ("no file, value none", State("qmt-drop.fon", "Quillmere Test Fon", fon));
    EXPECT_EQ(1, g_fontChanges);
    EXPECT_GE(Row(IDC_INSTALLED_LIST, "Quillmere Test Drop"), 0);
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));

    Run(Drop({ttf}), {IDNO}, {{Msg(MSG_INSTALL_FILE_EXISTS, "qmt-drop.TTF"), kAsk}, {"No files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("installed", State("qmt-drop.TTF", "Quillmere Test Drop", ttf));
    EXPECT_EQ(1, g_fontChanges);
}

TEST_F(InstallTest, FailedCopiesAndRegistryWritesLeaveNoHalfInstalledFont) {
    const std::string copy = MakeFont("qmt-a-copy.ttf", "Quillmere Test Copy");
    const std::string reg = MakeFont("qmt-b-registry.ttf", "Quillmere Test Registry");
    const std::string noKey = MakeFont("qmt-c-nokey.ttf", "Quillmere Test No Key");
    Start();
    // A copy that broke off after writing part of the file: the part goes.
    Select(IDC_FILE_LIST, {"qmt-a-copy.ttf"});
    PlatFailNth(PlatOp::Copy, 1, ERROR_DISK_FULL);
    RunCommand(IDM_INSTALL, {IDYES},
        {{Msg(MSG_INSTALL_COPY_FAILED, "qmt-a-copy.ttf"), kAsk}, {"One file processed.", kTell}}, __LINE__);
    EXPECT_EQ("no file, value none", State("qmt-a-copy.ttf", "Quillmere Test Copy", copy));
    EXPECT_EQ(1, g_fontChanges);

    // No value could be written: the copied file goes as well.
    Select(IDC_FILE_LIST, {"qmt-b-registry.ttf"});
    PlatFailNth(PlatOp::RegWrite, 1, ERROR_ACCESS_DENIED);
    RunCommand(IDM_INSTALL, {IDNO},
        {{Msg(MSG_INSTALL_REGISTRY_ERROR, "Quillmere Test Registry"), kAsk}, {"No files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("no file, value none", State("qmt-b-registry.ttf", "Quillmere Test Registry", reg));
    EXPECT_EQ(1, g_fontChanges);

    // A key that cannot be opened is not reported: the file stays, usable
    // until the system restarts, with no value.
    Select(IDC_FILE_LIST, {"qmt-c-nokey.ttf"});
    PlatFailNth(PlatOp::RegOpen, 1, ERROR_ACCESS_DENIED);
    RunCommand(IDM_INSTALL, {}, {{"One file processed.", kTell}}, __LINE__);
    EXPECT_EQ("copied, value none", State("qmt-c-nokey.ttf", "Quillmere Test No Key", noKey));
    EXPECT_EQ(2, g_fontChanges);
}

TEST_F(InstallTest, RemoveAsksFirstAndReportsWhatItCannotRemove) {
    Start();
    std::vector<std::string> src(8);  // fonts R1 to R7, installed from full paths by the step itself
    for (int i = 1; i <= 7; ++i) {
        const std::string n = std::to_string(i);
        src[i] = MakeFont("qmt-r" + n + ".ttf", "Quillmere Test R" + n);
        Run([&] { EXPECT_EQ(1, InstallFontFile(window_, src[i].c_str(), true)); }, {}, {}, __LINE__);
        EXPECT_EQ("installed", State("qmt-r" + n + ".ttf", "Quillmere Test R" + n, src[i]));
    }
    SendMessageA(window_, WM_FONTCHANGE, 0, 0);

    // Nothing selected, or the question declined: nothing at all happens.
    RunCommand(IDM_REMOVE, {}, {}, __LINE__);
    EXPECT_EQ("stale", Status(IDC_INSTALLED_STATUS));
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R1"});
    RunCommand(IDM_REMOVE, {IDNO}, {{Msg(MSG_REMOVE_CONFIRM, "one font"), kAsk}}, __LINE__);
    EXPECT_EQ("installed", State("qmt-r1.ttf", "Quillmere Test R1", src[1]));
    EXPECT_EQ("stale", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ(0, g_fontChanges);

    // A file held open without delete sharing: the font is uninstalled, its
    // file stays, and the batch goes on without a question.
    held_ = CreateFileA((fonts_ + "qmt-r1.ttf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr);
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R1", "Quillmere Test R2"});
    RunCommand(IDM_REMOVE, {IDYES},
        {{Msg(MSG_REMOVE_CONFIRM, "2 fonts"), kAsk}, {Msg(MSG_REMOVE_ACCESS_DENIED), kTell},
         {"2 files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("copied, value none", State("qmt-r1.ttf", "Quillmere Test R1", src[1]));
    EXPECT_EQ("no file, value none", State("qmt-r2.ttf", "Quillmere Test R2", src[2]));
    EXPECT_EQ(LB_ERR, Row(IDC_INSTALLED_LIST, "Quillmere Test R2"));
    EXPECT_EQ("No fonts selected", Status(IDC_INSTALLED_STATUS));
    EXPECT_EQ(1, g_fontChanges);

    // A value holding a full path, one holding no name, one leading out of
    // the fonts folder, a row without its entry: each is reported and left
    // as it is. No stops; the summary still counts the four chosen.
    SetFontValue("Quillmere Test R3 (TrueType)", src[3]);
    SetFontValue("Quillmere Test R4 (TrueType)", "");
    ASSERT_TRUE(CopyInto(src[5], fonts_ + "..\\qmt-outside.ttf"));
    SetFontValue("Quillmere Test R5 (TrueType)", "..\\qmt-outside.ttf");
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R3", "Quillmere Test R4", "Quillmere Test R5", "Quillmere Test R7"});
    FreeEntry(List(IDC_INSTALLED_LIST), Row(IDC_INSTALLED_LIST, "Quillmere Test R7"));
    RunCommand(IDM_REMOVE, {IDYES, IDYES, IDYES, IDYES, IDNO},
        {{Msg(MSG_REMOVE_CONFIRM, "4 fonts"), kAsk},
         {Msg(MSG_REMOVE_FAILED, "Quillmere Test R3"), kAsk},
         {Msg(MSG_REMOVE_FAILED, "Quillmere Test R4"), kAsk},
         {Msg(MSG_REMOVE_FAILED, "Quillmere Test R5"), kAsk},
         {Msg(MSG_REMOVE_FAILED, "Quillmere Test R7"), kAsk},
         {"4 files processed.", kTell}},
        __LINE__);
    EXPECT_EQ("copied, value " + src[3] + '\0', State("qmt-r3.ttf", "Quillmere Test R3", src[3]));
    EXPECT_EQ("copied, value " + std::string(1, '\0'), State("qmt-r4.ttf", "Quillmere Test R4", src[4]));
    EXPECT_TRUE(ReadFileBytes(fonts_ + "..\\qmt-outside.ttf") == ReadFileBytes(src[5]));
    EXPECT_TRUE(InFonts("qmt-r5.ttf"));
    EXPECT_EQ("installed", State("qmt-r7.ttf", "Quillmere Test R7", src[7]));
    EXPECT_EQ(2, g_fontChanges);

    // Any other failure to delete asks; the font is uninstalled already.
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R6"});
    PlatFailNth(PlatOp::Delete, 1, ERROR_WRITE_PROTECT);
    RunCommand(IDM_REMOVE, {IDYES, IDYES},
        {{Msg(MSG_REMOVE_CONFIRM, "one font"), kAsk}, {Msg(MSG_REMOVE_FAILED, "Quillmere Test R6"), kAsk},
         {"One file processed.", kTell}},
        __LINE__);
    EXPECT_EQ("copied, value none", State("qmt-r6.ttf", "Quillmere Test R6", src[6]));
    EXPECT_EQ(3, g_fontChanges);
}

}  // namespace
