// Renaming font files and changing the names they carry, through the real
// dialogs on the real main window: what is typed, what each button does to
// the run, and the exact bytes left on disk. A file of the user's that
// stands in the way must come through byte for byte.
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "truetype/fontnames.h"
#include "wintest.h"

namespace {

std::string Text(HWND window, int id) {
    char text[1100] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

class RenameTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        font_ = ReadFileBytes(HostFont("DejaVuSans.ttf"));
        if (font_.empty()) GTEST_SKIP() << "DejaVuSans.ttf is not on this machine";
    }
    std::string Path(const std::string& file) const { return folder_ + "\\" + file; }
    Bytes Here(const std::string& file) const { return ReadFileBytes(Path(file)); }
    bool HereExists(const std::string& file) const {
        return GetFileAttributesA(Path(file).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A real font under a name of our own; the bytes tell the files apart.
    Bytes PutFont(const std::string& file, char mark) {
        Bytes bytes = font_ + std::string(4, mark);
        EXPECT_TRUE(WriteFile(Path(file), bytes));
        return bytes;
    }
    std::string FullName(const std::string& file) const {
        char display[kFontNameCapacity] = "", notice[kFontNameCapacity] = "";
        if (!ReadFontNames(display, notice, Path(file).c_str())) return "(unreadable)";
        return display;
    }

    // One seen modal window: a dialog with what it showed, or a message box.
    struct Shown {
        bool dialog;
        std::string caption, current, typed, text;
    };
    // Runs a command with the selected rows. For each dialog, the next of
    // `typed` goes into its edit box first ("" leaves the proposal); every
    // window is answered with the next of `answers`, then OK.
    std::vector<Shown> RunDialogs(int command, const std::vector<std::string>& rows,
                                  const std::vector<std::string>& typed, std::initializer_list<int> answers) {
        Select(IDC_FILE_LIST, rows);
        std::vector<Shown> shown;
        size_t nextTyped = 0;
        ModalWatcher watcher(IDOK);
        watcher.Answer(answers);
        watcher.Inspect([&](HWND box) {
            if (!GetDlgItem(box, IDC_NAME_NEW)) {
                shown.push_back({false, WindowText(box), "", "", Text(box, 0xFFFF)});
                EXPECT_EQ("Message", WindowText(box));
                return;
            }
            shown.push_back({true, WindowText(box), Text(box, IDC_NAME_CURRENT), Text(box, IDC_NAME_NEW), ""});
            if (nextTyped < typed.size() && !typed[nextTyped].empty()) {
                SetDlgItemTextA(box, IDC_NAME_NEW, typed[nextTyped].c_str());
            }
            ++nextTyped;
        });
        SendMessageA(window_, WM_COMMAND, command, 0);
        FlushEvents();
        return shown;
    }

    Bytes font_;
};

TEST_F(RenameTest, RenameMovesTheFileAndKeepsTtf) {
    const Bytes a = PutFont("qmr-a.ttf", 'a');
    const Bytes b = PutFont("qmr-b.ttf", 'b');
    const Bytes c = PutFont("qmr-c.ttf", 'c');
    Start();
    const std::vector<Shown> shown =
        RunDialogs(IDM_RENAME, {"qmr-a.ttf", "qmr-b.ttf", "qmr-c.ttf"}, {"qmr-new", "qmr-other.otf", "QMR-C.TTF"}, {});
    ASSERT_EQ(3u, shown.size());
    EXPECT_TRUE(shown[0].dialog);
    EXPECT_EQ("Rename " + FullName("qmr-new.ttf"), shown[0].caption);
    EXPECT_EQ("qmr-a.ttf", shown[0].current);
    EXPECT_EQ("qmr-a.ttf", shown[0].typed);
    EXPECT_EQ("qmr-b.ttf", shown[1].current);
    // No extension gets ".ttf", another one is replaced, "TTF" is kept.
    EXPECT_EQ(a, Here("qmr-new.ttf"));
    EXPECT_FALSE(HereExists("qmr-a.ttf"));
    EXPECT_EQ(b, Here("qmr-other.ttf"));
    EXPECT_FALSE(HereExists("qmr-other.otf"));
    EXPECT_FALSE(HereExists("qmr-b.ttf"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("qmr-c.ttf").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    FindClose(search);
    EXPECT_STREQ("QMR-C.TTF", found.cFileName);
    EXPECT_EQ(c, Here("QMR-C.TTF"));
    // The list is filled again with the new names.
    EXPECT_GE(Row(IDC_FILE_LIST, "qmr-new.ttf"), 0);
    EXPECT_EQ(LB_ERR, Row(IDC_FILE_LIST, "qmr-a.ttf"));
    EXPECT_EQ("No fonts selected", Status(IDC_FILE_STATUS));
}

TEST_F(RenameTest, RenameNeverReplacesAnExistingFile) {
    const Bytes a = PutFont("qmr-a.ttf", 'a');
    const Bytes mine = PutFont("qmr-mine.ttf", 'm');
    Start();
    // OK onto the other file: message 108, the dialog stays open; then
    // Cancel leaves everything as it was.
    const std::vector<Shown> shown = RunDialogs(IDM_RENAME, {"qmr-a.ttf"}, {"qmr-mine"}, {IDOK, IDOK, IDCANCEL});
    ASSERT_EQ(3u, shown.size());
    EXPECT_TRUE(shown[0].dialog);
    EXPECT_FALSE(shown[1].dialog);
    EXPECT_EQ(Msg(MSG_RENAME_ERROR), shown[1].text);
    EXPECT_EQ("There has been an error renaming this file.", shown[1].text);
    EXPECT_TRUE(shown[2].dialog);
    EXPECT_EQ(a, Here("qmr-a.ttf"));
    EXPECT_EQ(mine, Here("qmr-mine.ttf"));
}

TEST_F(RenameTest, CancelSkipsTheFileAndAbortStopsTheRun) {
    const char* names[] = {"qmr-1.ttf", "qmr-2.ttf", "qmr-3.ttf", "qmr-4.ttf", "qmr-5.ttf"};
    std::vector<Bytes> bytes;
    for (int i = 0; i < 5; ++i) bytes.push_back(PutFont(names[i], static_cast<char>('1' + i)));
    Start();
    // 1 renamed, 2 cancelled, 3 aborted: 4 and 5 see no dialog.
    const std::vector<Shown> shown = RunDialogs(IDM_RENAME, {names[0], names[1], names[2], names[3], names[4]},
                                                {"qmr-x1", "qmr-x2", "qmr-x3"}, {IDOK, IDCANCEL, IDC_NAME_ABORT});
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("qmr-3.ttf", shown[2].current);
    EXPECT_EQ(bytes[0], Here("qmr-x1.ttf"));
    EXPECT_FALSE(HereExists("qmr-1.ttf"));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(bytes[static_cast<size_t>(i)], Here(names[i])) << names[i];
    EXPECT_FALSE(HereExists("qmr-x2.ttf"));
    EXPECT_FALSE(HereExists("qmr-x3.ttf"));
    // Aborted or not, the list is filled again.
    EXPECT_GE(Row(IDC_FILE_LIST, "qmr-x1.ttf"), 0);
    EXPECT_EQ(LB_ERR, Row(IDC_FILE_LIST, "qmr-1.ttf"));
}

TEST_F(RenameTest, ChangeFontNameRewritesTheNamingTable) {
    PutFont("qmr-a.ttf", 'a');
    const Bytes b = PutFont("qmr-b.ttf", 'b');
    const std::string before = FullName("qmr-a.ttf");
    ASSERT_NE("(unreadable)", before);
    Start();
    const std::vector<Shown> shown =
        RunDialogs(IDM_CHANGE_FONT_NAME, {"qmr-a.ttf", "qmr-b.ttf"}, {"Quillmere Renamed Face", "x"}, {IDOK, IDCANCEL});
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("Change font name " + before, shown[0].caption);
    EXPECT_EQ(before, shown[0].current);
    EXPECT_EQ(before, shown[0].typed);
    EXPECT_EQ("Quillmere Renamed Face", FullName("qmr-a.ttf"));
    EXPECT_FALSE(HereExists("qmr-a.ttf.bak"));
    // Cancel leaves the second file byte for byte.
    EXPECT_EQ(b, Here("qmr-b.ttf"));
    EXPECT_GE(Row(IDC_FILE_LIST, "qmr-a.ttf"), 0);
}

TEST_F(RenameTest, ADamagedFileIsReportedAndLeftAlone) {
    const Bytes damaged = font_.substr(0, 40);
    ASSERT_TRUE(WriteFile(Path("qmr-bad.ttf"), damaged));
    PutFont("qmr-good.ttf", 'g');
    Start();
    // The damaged file's dialog closes itself after message 109; the run
    // goes on with the next file.
    const std::vector<Shown> shown =
        RunDialogs(IDM_CHANGE_FONT_NAME, {"qmr-bad.ttf", "qmr-good.ttf"}, {}, {IDOK});
    std::vector<Shown> boxes, dialogs;
    for (const Shown& s : shown) (s.dialog ? dialogs : boxes).push_back(s);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("This font file may be damaged.", boxes[0].text);
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(damaged, Here("qmr-bad.ttf"));
    EXPECT_FALSE(HereExists("qmr-bad.ttf.bak"));
    // The good file was rewritten with its own name and still reads.
    EXPECT_NE("(unreadable)", FullName("qmr-good.ttf"));
}

}  // namespace
