// The font operations on the real main window: install, remove, copy out, delete, rename and change name. Checked are
// the bytes left on disk, the exact registry values, every question and summary with its text, buttons and icon, and
// what each failure (made by the platform layer's fault injection) leaves behind. A file of the user's in the way
// must come through byte for byte.
#include <direct.h>

#include <algorithm>
#include <shlobj.h>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "ops/install.h"
#include "platform/platform.h"
#include "resources/resource.h"
#include "truetype/fontnames.h"
#include "wintest.h"

namespace {

constexpr UINT kAskOrCancel = MB_YESNOCANCEL | MB_ICONQUESTION;
int g_fontChanges = 0;

LRESULT CALLBACK CountFontChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_fontChanges += message == WM_FONTCHANGE;
    return DefWindowProcA(window, message, wParam, lParam);
}

// Everything the tests put into the system is named "qmt-..." (files) or "Quillmere Test ..." (fonts), so that it can
// be taken out again.
class OpsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        fonts_ = FontsDirectory();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = CountFontChanges;
        wc.lpszClassName = "QmFontChangeCounter";
        RegisterClassA(&wc);
        counter_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
        g_fontChanges = 0;
        SweepTestFonts("qmt-", "Quillmere Test");
    }
    void TearDown() override {
        PlatFailNth(PlatOp::Any, 0);
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        MainWindowFixture::TearDown();
        DeleteFileA((fonts_ + "..\\qmt-outside.ttf").c_str());
        RemoveDirectoryA((fonts_ + "qmt-dir").c_str());
        SweepTestFonts("qmt-", "Quillmere Test");
        DestroyWindow(counter_);
    }
    std::string Here(const std::string& file) const { return folder_ + "\\" + file; }
    bool Exists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    // A copy of a real font carrying a name of its own, so not installed.
    std::string MakeFont(const std::string& file, const std::string& fullName, const std::string& folder = "") {
        return MakeFontFile((folder.empty() ? folder_ : folder) + "\\" + file, fullName);
    }
    // A font installed as the system keeps one: its file in the fonts folder, the font table and the registry value.
    // Returns its bytes.
    Bytes InstallByHand(const std::string& file, const std::string& fullName) {
        const std::string path = MakeFontFile(fonts_ + file, fullName, "DejaVuSans.ttf");
        EXPECT_GT(AddFontResourceA(path.c_str()), 0);
        SetFontValue(fullName + " (TrueType)", file);
        return ReadFileBytes(path);
    }
    // "installed": the source's bytes in the fonts folder and the value named after the font holding the bare file
    // name with its terminator; otherwise what of the two is there.
    std::string State(const std::string& file, const std::string& fullName, const std::string& source) const {
        const std::string value = FontValue(fullName + " (TrueType)");
        const bool there = Exists(fonts_ + file), copied = there && ReadFileBytes(fonts_ + file) == ReadFileBytes(source);
        if (copied && value == file + '\0') return "installed";
        return (there ? copied ? "copied" : "other file" : "no file") + std::string(", value ") + value;
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
    std::string fonts_;
    HWND counter_ = nullptr;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(OpsTest, InstallAsksAboutEveryRefusalAndLeavesNoHalfInstalledFont) {
    const std::string one = MakeFont("qmt-one.ttf", "Quillmere Test One");
    const std::string two = MakeFont("qmt-two.TTF", "Quillmere Test Two");
    ASSERT_TRUE(WriteFile(fonts_ + "qmt-taken.ttf", "another program's file"));
    const std::string taken = MakeFont("qmt-taken.ttf", "Quillmere Test Taken");
    ASSERT_TRUE(WriteFile(Here("qmt-damaged.ttf"), "not a font"));
    MakeFont("qmt-upper.ttf", "DEJAVU SANS");
    const std::string copy = MakeFont("qmt-copy.ttf", "Quillmere Test Copy");
    const std::string reg = MakeFont("qmt-registry.ttf", "Quillmere Test Registry");
    const std::string noKey = MakeFont("qmt-unkeyed.ttf", "Quillmere Test No Key");
    ASSERT_TRUE(CreateDirectoryA(Here("qmtdir").c_str(), nullptr));
    const std::string dejaVu = FontValue("DejaVu Sans (TrueType)");
    Start();
    RunCommand(IDM_INSTALL, {}, {{"No files processed.", kTell}});
    EXPECT_EQ(0, g_fontChanges) << "nothing installed, nothing to tell";

    // The row text, as the listing spells it, is the installed file name.
    const std::string twoRow = "qmt-two.ttf";
    Select(IDC_FILE_LIST, {"qmt-one.ttf", twoRow});
    RunCommand(IDM_INSTALL, {}, {{"2 files processed.", kTell}});
    EXPECT_EQ("installed", State("qmt-one.ttf", "Quillmere Test One", one));
    EXPECT_EQ("installed", State(twoRow, "Quillmere Test Two", two));
    EXPECT_EQ(1, g_fontChanges);
    char entry[kEntryNameSize] = "";
    ASSERT_TRUE(EntryFullName(List(IDC_INSTALLED_LIST), Row(IDC_INSTALLED_LIST, "Quillmere Test Two"), entry));
    EXPECT_STREQ("Quillmere Test Two", entry) << "the broadcast rebuilt the list";

    // Yes skips a refused file but counts it; a directory row is handed on like a file and cannot be read; a name
    // compares without case.
    Select(IDC_FILE_LIST, {"[qmtdir]", "qmt-damaged.ttf", "qmt-taken.ttf", "qmt-upper.ttf"});
    RunCommand(IDM_INSTALL, {IDYES, IDYES, IDYES, IDYES},
               {{Msg(MSG_INSTALL_FILE_DAMAGED, "[qmtdir]"), kAsk},
                {Msg(MSG_INSTALL_FILE_DAMAGED, "qmt-damaged.ttf"), kAsk},
                {Msg(MSG_INSTALL_FILE_EXISTS, "qmt-taken.ttf"), kAsk},
                {Msg(MSG_INSTALL_FONT_EXISTS, "DEJAVU SANS"), kAsk},
                {"4 files processed.", kTell}});
    EXPECT_EQ("another program's file", ReadFileBytes(fonts_ + "qmt-taken.ttf"));
    EXPECT_EQ("other file, value none", State("qmt-taken.ttf", "Quillmere Test Taken", taken));
    EXPECT_FALSE(Exists(fonts_ + "qmt-damaged.ttf") || Exists(fonts_ + "qmt-upper.ttf"));
    EXPECT_EQ(dejaVu, FontValue("DejaVu Sans (TrueType)"));
    EXPECT_EQ(2, g_fontChanges);

    // A copy that broke off: the part goes. No registry value: the copy goes too, and No stops the batch. A key that
    // cannot be opened is not reported: the file stays, with no value.
    Select(IDC_FILE_LIST, {"qmt-copy.ttf"});
    PlatFailNth(PlatOp::Copy, 1, ERROR_DISK_FULL);
    RunCommand(IDM_INSTALL, {IDYES},
               {{Msg(MSG_INSTALL_COPY_FAILED, "qmt-copy.ttf"), kAsk}, {"One file processed.", kTell}});
    EXPECT_EQ("no file, value none", State("qmt-copy.ttf", "Quillmere Test Copy", copy));
    Select(IDC_FILE_LIST, {"qmt-registry.ttf", "qmt-unkeyed.ttf"});
    PlatFailNth(PlatOp::RegWrite, 1, ERROR_ACCESS_DENIED);
    RunCommand(IDM_INSTALL, {IDNO},
               {{Msg(MSG_INSTALL_REGISTRY_ERROR, "Quillmere Test Registry"), kAsk}, {"No files processed.", kTell}});
    EXPECT_EQ("no file, value none", State("qmt-registry.ttf", "Quillmere Test Registry", reg));
    EXPECT_EQ("no file, value none", State("qmt-unkeyed.ttf", "Quillmere Test No Key", noKey));
    Select(IDC_FILE_LIST, {"qmt-unkeyed.ttf"});
    PlatFailNth(PlatOp::RegOpen, 1, ERROR_ACCESS_DENIED);
    RunCommand(IDM_INSTALL, {}, {{"One file processed.", kTell}});
    EXPECT_EQ("copied, value none", State("qmt-unkeyed.ttf", "Quillmere Test No Key", noKey));
    EXPECT_EQ(4, g_fontChanges);
}

TEST_F(OpsTest, DroppedTrueTypeFilesAreInstalledAndOthersPassedOver) {
    const std::string elsewhere = NewTestFolder();
    const std::string ttf = MakeFont("qmt-drop.TTF", "Quillmere Test Drop", elsewhere);
    const std::string fon = MakeFont("qmt-drop.fon", "Quillmere Test Fon", elsewhere);
    Start();
    ShowWindow(counter_, SW_SHOWNA);
    SetWindowPos(counter_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    auto mainIsAbove = [&] {
        HWND w = window_;
        while (w && w != counter_) w = GetWindow(w, GW_HWNDNEXT);
        return w == counter_;
    };
    ASSERT_FALSE(mainIsAbove());
    g_settings.PromptWhenDone = 0;  // a closing box may activate another window
    Run(Drop({fon}), {}, {});
    EXPECT_TRUE(mainIsAbove()) << "a drop lifts the window";
    EXPECT_EQ(0, g_fontChanges);
    g_settings.PromptWhenDone = 1;
    Run(Drop({fon, ttf}), {}, {{"One file processed.", kTell}});
    EXPECT_EQ("installed", State("qmt-drop.TTF", "Quillmere Test Drop", ttf));
    EXPECT_EQ("no file, value none", State("qmt-drop.fon", "Quillmere Test Fon", fon));
    Run(Drop({ttf}), {IDNO}, {{Msg(MSG_INSTALL_FILE_EXISTS, "qmt-drop.TTF"), kAsk}, {"No files processed.", kTell}});
    EXPECT_EQ(1, g_fontChanges);
}

TEST_F(OpsTest, RemoveAsksFirstAndReportsWhatItCannotRemove) {
    Start();
    std::vector<std::string> src(9);
    for (int i = 1; i <= 8; ++i) {
        const std::string n = std::to_string(i);
        src[i] = MakeFont("qmt-r" + n + ".ttf", "Quillmere Test R" + n);
        Run([&] { EXPECT_EQ(1, InstallFontFile(window_, src[i].c_str(), true)); }, {}, {});
    }
    SendMessageA(window_, WM_FONTCHANGE, 0, 0);
    // Nothing selected, or the question declined: nothing at all happens.
    RunCommand(IDM_REMOVE, {}, {});
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R1"});
    RunCommand(IDM_REMOVE, {IDNO}, {{Msg(MSG_REMOVE_CONFIRM, "one font"), kAsk}});
    EXPECT_EQ("installed", State("qmt-r1.ttf", "Quillmere Test R1", src[1]));
    EXPECT_EQ(0, g_fontChanges);

    // A file held open: the font is uninstalled, its file stays, and the batch goes on without a question.
    held_ = CreateFileA((fonts_ + "qmt-r1.ttf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R1", "Quillmere Test R2"});
    RunCommand(IDM_REMOVE, {IDYES},
               {{Msg(MSG_REMOVE_CONFIRM, "2 fonts"), kAsk}, {Msg(MSG_REMOVE_ACCESS_DENIED), kTell},
                {"2 files processed.", kTell}});
    EXPECT_EQ("copied, value none", State("qmt-r1.ttf", "Quillmere Test R1", src[1]));
    EXPECT_EQ("no file, value none", State("qmt-r2.ttf", "Quillmere Test R2", src[2]));
    EXPECT_EQ(1, g_fontChanges);

    // A value holding a path, one holding no name, one leading out of the fonts folder, a row without its entry, one
    // naming a folder: each reported and left alone.
    SetFontValue("Quillmere Test R3 (TrueType)", src[3]);
    SetFontValue("Quillmere Test R4 (TrueType)", "");
    ASSERT_TRUE(CopyInto(src[5], fonts_ + "..\\qmt-outside.ttf"));
    SetFontValue("Quillmere Test R5 (TrueType)", "..\\qmt-outside.ttf");
    ASSERT_TRUE(CreateDirectoryA((fonts_ + "qmt-dir").c_str(), nullptr));
    SetFontValue("Quillmere Test R8 (TrueType)", "qmt-dir");
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R3", "Quillmere Test R4", "Quillmere Test R5", "Quillmere Test R7",
                                "Quillmere Test R8"});
    FreeEntry(List(IDC_INSTALLED_LIST), Row(IDC_INSTALLED_LIST, "Quillmere Test R7"));
    RunCommand(IDM_REMOVE, {IDYES, IDYES, IDYES, IDYES, IDYES, IDNO},
               {{Msg(MSG_REMOVE_CONFIRM, "5 fonts"), kAsk}, {Msg(MSG_REMOVE_FAILED, "Quillmere Test R3"), kAsk},
                {Msg(MSG_REMOVE_FAILED, "Quillmere Test R4"), kAsk}, {Msg(MSG_REMOVE_FAILED, "Quillmere Test R5"), kAsk},
                {Msg(MSG_REMOVE_FAILED, "Quillmere Test R7"), kAsk}, {Msg(MSG_REMOVE_FAILED, "Quillmere Test R8"), kAsk},
                {"5 files processed.", kTell}});
    EXPECT_EQ("copied, value " + src[3] + '\0', State("qmt-r3.ttf", "Quillmere Test R3", src[3]));
    EXPECT_EQ("copied, value " + std::string(1, '\0'), State("qmt-r4.ttf", "Quillmere Test R4", src[4]));
    EXPECT_EQ(ReadFileBytes(src[5]), ReadFileBytes(fonts_ + "..\\qmt-outside.ttf"));
    EXPECT_EQ("installed", State("qmt-r7.ttf", "Quillmere Test R7", src[7]));
    EXPECT_EQ("copied, value qmt-dir" + std::string(1, '\0'), State("qmt-r8.ttf", "Quillmere Test R8", src[8]));

    // Any other failure to delete asks; the font is uninstalled already.
    Select(IDC_INSTALLED_LIST, {"Quillmere Test R6"});
    PlatFailNth(PlatOp::Delete, 1, ERROR_WRITE_PROTECT);
    RunCommand(IDM_REMOVE, {IDYES, IDYES},
               {{Msg(MSG_REMOVE_CONFIRM, "one font"), kAsk}, {Msg(MSG_REMOVE_FAILED, "Quillmere Test R6"), kAsk},
                {"One file processed.", kTell}});
    EXPECT_EQ("copied, value none", State("qmt-r6.ttf", "Quillmere Test R6", src[6]));
    EXPECT_EQ(3, g_fontChanges);
}

TEST_F(OpsTest, CopyOutAsksBeforeReplacingTheUsersFilesAndLeavesNoPart) {
    const Bytes a = InstallByHand("qmt-a.ttf", "Quillmere Test A");
    const Bytes b = InstallByHand("qmt-b.ttf", "Quillmere Test B");
    const Bytes c = InstallByHand("qmt-c.ttf", "Quillmere Test C");
    InstallByHand("qmt-d.ttf", "Quillmere Test D");
    ASSERT_TRUE(WriteFile(Here("qmt-b.ttf"), "the user's own b"));
    ASSERT_TRUE(WriteFile(Here("qmt-c.ttf"), "the user's own c"));
    Start();
    // No skips but counts; Yes replaces; the list then shows the copies.
    Select(IDC_INSTALLED_LIST, {"Quillmere Test A", "Quillmere Test B", "Quillmere Test C"});
    RunCommand(IDM_COPY_TO, {IDNO, IDYES},
               {{Msg(MSG_COPY_OVERWRITE, "Quillmere Test B", "qmt-b.ttf"), kAskOrCancel},
                {Msg(MSG_COPY_OVERWRITE, "Quillmere Test C", "qmt-c.ttf"), kAskOrCancel},
                {"3 files processed.", kTell}});
    EXPECT_EQ(a, ReadFileBytes(Here("qmt-a.ttf")));
    EXPECT_EQ("the user's own b", ReadFileBytes(Here("qmt-b.ttf")));
    EXPECT_EQ(c, ReadFileBytes(Here("qmt-c.ttf")));
    EXPECT_GE(Row(IDC_FILE_LIST, "qmt-a.ttf"), 0);

    // Cancel stops at once; without PromptBeforeOverwrite files are replaced silently, without PromptWhenDone no
    // summary either.
    Select(IDC_INSTALLED_LIST, {"Quillmere Test B", "Quillmere Test A"});
    RunCommand(IDM_COPY_TO, {IDCANCEL},
               {{Msg(MSG_COPY_OVERWRITE, "Quillmere Test A", "qmt-a.ttf"), kAskOrCancel}, {"No files processed.", kTell}});
    EXPECT_EQ("the user's own b", ReadFileBytes(Here("qmt-b.ttf")));
    g_settings.PromptBeforeOverwrite = 0;
    g_settings.PromptWhenDone = 0;
    RunCommand(IDM_COPY_TO, {}, {});
    EXPECT_EQ(b, ReadFileBytes(Here("qmt-b.ttf")));

    // A copy that breaks off after Yes: the user's file comes through.
    g_settings.PromptBeforeOverwrite = g_settings.PromptWhenDone = 1;
    const std::string shown = folder_ + "\\";
    ASSERT_TRUE(WriteFile(Here("qmt-a.ttf"), "the user's own a"));
    PlatFailNth(PlatOp::LzCopy, 1, ERROR_DISK_FULL);
    Select(IDC_INSTALLED_LIST, {"Quillmere Test A"});
    RunCommand(IDM_COPY_TO, {IDYES, IDYES},
               {{Msg(MSG_COPY_OVERWRITE, "Quillmere Test A", "qmt-a.ttf"), kAskOrCancel},
                {Msg(MSG_COPY_FAILED, "Quillmere Test A", "qmt-a.ttf", shown.c_str()), kAsk},
                {"One file processed.", kTell}});
    EXPECT_EQ("the user's own a", ReadFileBytes(Here("qmt-a.ttf")));
    // An empty file, a missing one, a value naming no file and one naming a file outside the fonts folder; No stops
    // before the next font.
    ASSERT_TRUE(WriteFile(fonts_ + "qmt-empty.ttf", ""));
    SetFontValue("Quillmere Test A (TrueType)", "qmt-missing.ttf");
    SetFontValue("Quillmere Test B (TrueType)", "");
    SetFontValue("Quillmere Test C (TrueType)", "..\\qmt-outside.ttf");
    SetFontValue("Quillmere Test D (TrueType)", "qmt-empty.ttf");
    ASSERT_TRUE(CopyInto(fonts_ + "qmt-c.ttf", fonts_ + "..\\qmt-outside.ttf"));
    Select(IDC_INSTALLED_LIST, {"Quillmere Test A", "Quillmere Test B", "Quillmere Test C", "Quillmere Test D"});
    RunCommand(IDM_COPY_TO, {IDYES, IDYES, IDNO},
               {{Msg(MSG_COPY_FAILED, "Quillmere Test B", "", shown.c_str()), kAsk},
                {Msg(MSG_COPY_FAILED, "Quillmere Test C", "..\\qmt-outside.ttf", shown.c_str()), kAsk},
                {Msg(MSG_COPY_FAILED, "Quillmere Test D", "qmt-empty.ttf", shown.c_str()), kAsk},
                {"3 files processed.", kTell}});
    EXPECT_FALSE(Exists(folder_ + "\\..\\qmt-outside.ttf") || Exists(Here("qmt-empty.ttf")));
    EXPECT_EQ(0u, FindFiles(Here("*.tmp")).size()) << "a part of a copy was left";

    // Shown the fonts folder itself, spelt through another drive under Wine, the font's own file is left whole.
    SetFontValue("Quillmere Test B (TrueType)", "qmt-b.ttf");
    const char* prefix = getenv("WINEPREFIX");
    ASSERT_EQ(0, _chdir(prefix ? ("Z:" + std::string(prefix) + "/drive_c/windows/Fonts").c_str() : fonts_.c_str()));
    Select(IDC_INSTALLED_LIST, {"Quillmere Test B"});
    RunCommand(IDM_COPY_TO, {}, {{"One file processed.", kTell}});
    EXPECT_EQ(b, ReadFileBytes(fonts_ + "qmt-b.ttf"));
}

TEST_F(OpsTest, DeleteAsksFirstAndDeletesExactlyTheChosenFiles) {
    for (const char* name : {"qmt-1.ttf", "qmt-2.ttf", "qmt-3.ttf", "qmt-4.ttf"}) {
        ASSERT_TRUE(WriteFile(Here(name), std::string("bytes of ") + name));
    }
    ASSERT_TRUE(CreateDirectoryA(Here("qmtdir").c_str(), nullptr));
    ASSERT_TRUE(WriteFile(Here("[qmtdir]"), "a file of the user's"));  // named as the directory row reads
    Start();
    ASSERT_TRUE(WriteFile(Here("qmt-new.ttf"), "arrived later"));
    // Nothing selected, only a directory row, or No: nothing happens.
    Select(IDC_FILE_LIST, {"[qmtdir]"});
    RunCommand(IDM_DELETE, {}, {});
    Select(IDC_FILE_LIST, {"[qmtdir]", "qmt-1.ttf"});
    RunCommand(IDM_DELETE, {IDNO}, {{Msg(MSG_DELETE_CONFIRM, "one file"), kAsk}});
    // Yes: a held and a read-only file stay without a word, the others go, the directory and the file named like its
    // row stay.
    held_ = CreateFileA(Here("qmt-2.ttf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileAttributesA(Here("qmt-3.ttf").c_str(), FILE_ATTRIBUTE_READONLY));
    Select(IDC_FILE_LIST, {"[qmtdir]", "qmt-1.ttf", "qmt-2.ttf", "qmt-3.ttf"});
    RunCommand(IDM_DELETE, {IDYES}, {{Msg(MSG_DELETE_CONFIRM, "3 files"), kAsk}, {"3 files processed.", kTell}});
    EXPECT_FALSE(Exists(Here("qmt-1.ttf")));
    for (const char* kept : {"qmt-2.ttf", "qmt-3.ttf", "qmt-4.ttf"}) {
        EXPECT_EQ(std::string("bytes of ") + kept, ReadFileBytes(Here(kept)));
    }
    EXPECT_EQ("a file of the user's", ReadFileBytes(Here("[qmtdir]")));
    EXPECT_GE(Row(IDC_FILE_LIST, "qmt-new.ttf"), 0) << "the list is filled again";
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
    SetFileAttributesA(Here("qmt-3.ttf").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// One modal window of a rename run: a dialog with what it showed, or a box.
struct NameBox { std::string caption, current, typed; };

class NameDialogsTest : public OpsTest {
protected:
    // Runs command over the rows; each dialog gets the next of typed ("": leave the proposal, "<empty>": clear it)
    // and every window the next answer, then OK.
    std::vector<NameBox> RunDialogs(int command, const std::vector<std::string>& rows,
                                    const std::vector<std::string>& typed, std::initializer_list<int> answers) {
        Select(IDC_FILE_LIST, rows);
        std::vector<NameBox> shown;
        ModalWatcher watcher;
        watcher.Answer(answers);
        watcher.Inspect([&](HWND box) {
            HWND edit = GetDlgItem(box, IDC_NAME_NEW);
            shown.push_back({edit ? WindowText(box) : "box: " + WindowText(GetDlgItem(box, 0xFFFF)),
                             WindowText(GetDlgItem(box, IDC_NAME_CURRENT)), WindowText(edit)});
            if (edit) SaveScreenshot(box, command == IDM_RENAME ? "rename-box.png" : "font-name-box.png");
            const size_t dialogs = std::count_if(shown.begin(), shown.end(), [](auto& s) { return s.caption[0] != 'b'; });
            if (edit && dialogs <= typed.size() && !typed[dialogs - 1].empty()) {
                SetWindowTextA(edit, typed[dialogs - 1] == "<empty>" ? "" : typed[dialogs - 1].c_str());
            }
        });
        Command(command);
        return shown;
    }
    Bytes Put(const std::string& file, char mark) {
        const Bytes bytes = ReadFileBytes(HostFont("DejaVuSans.ttf")) + std::string(4, mark);
        EXPECT_TRUE(WriteFile(Here(file), bytes));
        return bytes;
    }
};

TEST_F(NameDialogsTest, RenameAndChangeFontNameNeverReplaceAFileAndStopOnAbort) {
    const Bytes a = Put("qmt-a.ttf", 'a'), b = Put("qmt-b.ttf", 'b'), c = Put("qmt-c.ttf", 'c');
    const Bytes mine = Put("qmt-mine.ttf", 'm'), d = Put("qmt-d.ttf", 'd'), e = Put("qmt-e.ttf", 'e');
    ASSERT_TRUE(WriteFile(Here("qmt-zbad.ttf"), "not a font at all"));
    Put("qmt-f.ttf", 'f');
    const Bytes g = Put("qmt-g.ttf", 'g');
    Start();
    // No extension gets ".ttf", another one is replaced, a case change is a rename; onto another file: message 108
    // and the dialog stays open.
    std::vector<NameBox> shown = RunDialogs(IDM_RENAME, {"qmt-a.ttf", "qmt-b.ttf", "qmt-c.ttf", "qmt-d.ttf"},
                                            {"qmt-new", "qmt-other.otf", "QMT-C.TTF", "qmt-mine"},
                                            {IDOK, IDOK, IDOK, IDOK, IDOK, IDCANCEL});
    ASSERT_EQ(6u, shown.size());
    EXPECT_EQ("Rename DejaVu Sans", shown[0].caption);
    EXPECT_EQ((std::vector<std::string>{"qmt-a.ttf", "qmt-a.ttf"}), (std::vector<std::string>{shown[0].current, shown[0].typed}));
    EXPECT_EQ("box: " + Msg(MSG_RENAME_ERROR), shown[4].caption);
    EXPECT_EQ("qmt-d.ttf", shown[5].current);
    EXPECT_EQ(a, ReadFileBytes(Here("qmt-new.ttf")));
    EXPECT_EQ(b, ReadFileBytes(Here("qmt-other.ttf")));
    EXPECT_FALSE(Exists(Here("qmt-a.ttf")) || Exists(Here("qmt-b.ttf")) || Exists(Here("qmt-other.otf")));
    EXPECT_EQ((std::vector<std::string>{"QMT-C.TTF"}), FindFiles(Here("qmt-c.ttf")));
    EXPECT_EQ(c, ReadFileBytes(Here("QMT-C.TTF")));
    EXPECT_EQ(mine, ReadFileBytes(Here("qmt-mine.ttf")));
    EXPECT_EQ(d, ReadFileBytes(Here("qmt-d.ttf")));
    EXPECT_GE(Row(IDC_FILE_LIST, "qmt-new.ttf"), 0) << "the list is filled again";
    // Abort ends the run: the next files see no dialog.
    shown = RunDialogs(IDM_RENAME, {"qmt-d.ttf", "qmt-e.ttf"}, {"qmt-x"}, {IDC_NAME_ABORT});
    EXPECT_EQ(1u, shown.size());
    EXPECT_EQ(e, ReadFileBytes(Here("qmt-e.ttf")));
    EXPECT_FALSE(Exists(Here("qmt-x.ttf")));
    // A file whose names cannot be read: the dialog's caption alone.
    EXPECT_EQ("Rename", RunDialogs(IDM_RENAME, {"qmt-zbad.ttf"}, {}, {IDCANCEL}).at(0).caption);

    // An empty font name is refused and the dialog stays; Cancel leaves the file; a damaged file's dialog closes
    // itself after message 109.
    shown = RunDialogs(IDM_CHANGE_FONT_NAME, {"qmt-f.ttf", "qmt-g.ttf", "qmt-zbad.ttf"},
                       {"<empty>", "Quillmere Renamed Face", "x"}, {IDOK, IDOK, IDOK, IDCANCEL});
    ASSERT_GE(shown.size(), 5u);
    EXPECT_EQ("Change font name DejaVu Sans", shown[0].caption);
    EXPECT_EQ("DejaVu Sans", shown[0].current);
    EXPECT_EQ("box: " + Msg(MSG_NAME_EMPTY), shown[1].caption);
    char display[kFontNameCapacity], notice[kFontNameCapacity];
    EXPECT_TRUE(ReadFontNames(display, notice, Here("qmt-f.ttf").c_str()));
    EXPECT_STREQ("Quillmere Renamed Face", display);
    EXPECT_EQ(g, ReadFileBytes(Here("qmt-g.ttf")));
    EXPECT_EQ("box: " + Msg(MSG_FONT_FILE_DAMAGED), shown[4].caption);
    EXPECT_EQ("not a font at all", ReadFileBytes(Here("qmt-zbad.ttf")));
    EXPECT_FALSE(Exists(Here("qmt-f.ttf.bak")));
}

}  // namespace
