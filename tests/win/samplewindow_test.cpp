// The font sample window on the real main window, opened by double clicks
// on both lists: its caption, the exact texts of both boxes, the font the
// sample box uses, where it stands, that Enter and Escape leave it open, and
// that a font file is part of the font table only while the window is up.
#include <gtest/gtest.h>

#include <cstring>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "sfntbuilder.h"
#include "truetype/namerewrite.h"
#include "wintest.h"

namespace {

const char kPrefix[] = "Copyright information for this font -- ";
const char kInstalledFile[] = "qms-installed.ttf";
const char kInstalledName[] = "Quillmere Sample Installed";

// Characters 32 to 255, each followed by a blank.
std::string CharacterSet() {
    std::string text;
    for (int code = 32; code <= 255; ++code) text += {static_cast<char>(code), ' '};
    return text;
}

std::string WindowText(HWND window) {
    char text[40000] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A real font (DejaVu Sans's outlines) whose naming table holds exactly
// these names; no notice record when notice is empty.
Bytes MakeFont(const std::string& name, const std::string& notice, const char* host = "DejaVuSans.ttf") {
    std::vector<SfntTable> tables;
    for (const ParsedTable& table : ParseSfnt(ReadFileBytes(HostFont(host)))) {
        if (table.tag != "name") tables.push_back({table.tag, table.data});
    }
    NameTableSpec names;
    const std::pair<uint16_t, std::string> records[] = {{0, notice}, {1, name}, {2, "Book"}, {4, name}, {6, "QmSample"}};
    for (const auto& [id, text] : records) {
        if (!text.empty()) names.records.push_back({3, 1, 0x409, id, Utf16Latin1(text)});
    }
    tables.push_back({"name", BuildNameTable(names)});
    return BuildSfnt(tables);
}

// What the open window showed, read from inside its modal loop.
struct Shown {
    bool open = false;
    std::string caption, sample, notice;
    bool hasNotice = false;
    LOGFONTA font = {};
    std::string realFace;  // the face the system actually drew with
    int narrow = 0, wide = 0;
    bool faceListed = false;
    int temporaryFiles = 0;
    HFONT sampleFont = nullptr;
    bool noticeUsesDialogFont = false;
    RECT window = {}, client = {}, sampleBox = {}, noticeBox = {};
    RECT template_ = {0, 0, 328, 248}, sampleTemplate = {}, noticeTemplate = {};
    COLORREF textColour = 0, background = 0;
    bool whiteBrush = false;
    bool openAfterKeys = false;
    RECT sampleAfterResize = {}, noticeAfterResize = {};
};

RECT ChildRect(HWND dialog, int id) {
    RECT r = {};
    if (HWND child = GetDlgItem(dialog, id)) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

// A control's place as the dialog manager makes it from the template: the
// position and the size are each converted from dialog units.
RECT TemplateRect(HWND dialog, int x, int y, int width, int height) {
    RECT r = {x, y, width, height};
    MapDialogRect(dialog, &r);
    return {r.left, r.top, r.left + r.right, r.top + r.bottom};
}

void Read(HWND dialog, Shown& shown) {
    if (!GetDlgItem(dialog, IDC_SAMPLE_TEXT)) return;  // a message box
    shown.open = true;
    shown.caption = WindowText(dialog);
    shown.sample = WindowText(GetDlgItem(dialog, IDC_SAMPLE_TEXT));
    shown.hasNotice = GetDlgItem(dialog, IDC_SAMPLE_NOTICE) != nullptr;
    shown.notice = WindowText(GetDlgItem(dialog, IDC_SAMPLE_NOTICE));
    shown.sampleFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, IDC_SAMPLE_TEXT, WM_GETFONT, 0, 0));
    GetObjectA(shown.sampleFont, sizeof shown.font, &shown.font);
    shown.noticeUsesDialogFont = SendDlgItemMessageA(dialog, IDC_SAMPLE_NOTICE, WM_GETFONT, 0, 0) ==
                                 SendMessageA(dialog, WM_GETFONT, 0, 0);
    {
        ScreenDC screen;
        SelectedObject select(screen.get(), shown.sampleFont);
        char face[LF_FACESIZE] = "";
        GetTextFaceA(screen.get(), sizeof face, face);
        shown.realFace = face;
        GetCharWidth32A(screen.get(), 'i', 'i', &shown.narrow);
        GetCharWidth32A(screen.get(), 'W', 'W', &shown.wide);
    }
    shown.faceListed = FaceIsListed(shown.font.lfFaceName);
    shown.temporaryFiles = CountTemporaryFontFiles();

    GetWindowRect(dialog, &shown.window);
    GetClientRect(dialog, &shown.client);
    MapDialogRect(dialog, &shown.template_);
    shown.sampleTemplate = TemplateRect(dialog, 4, 4, 320, 204);
    shown.noticeTemplate = TemplateRect(dialog, 4, 212, 320, 32);
    shown.sampleBox = ChildRect(dialog, IDC_SAMPLE_TEXT);
    shown.noticeBox = ChildRect(dialog, IDC_SAMPLE_NOTICE);

    {
        ScreenDC screen;
        const LRESULT brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(screen.get()),
                                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SAMPLE_TEXT)));
        shown.whiteBrush = brush == reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        shown.textColour = GetTextColor(screen.get());
        shown.background = GetBkColor(screen.get());
    }

    // What Enter, Escape and a plain close request become in a dialog.
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    MSG message;
    while (PeekMessageA(&message, dialog, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    shown.openAfterKeys = IsWindowVisible(dialog) != 0;

    // Dragging the border: the boxes stay where they are.
    SetWindowPos(dialog, nullptr, 0, 0, shown.window.right - shown.window.left + 120,
                 shown.window.bottom - shown.window.top + 90, SWP_NOMOVE | SWP_NOZORDER);
    shown.sampleAfterResize = ChildRect(dialog, IDC_SAMPLE_TEXT);
    shown.noticeAfterResize = ChildRect(dialog, IDC_SAMPLE_NOTICE);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class SampleWindowTest : public MainWindowFixture {
protected:
    void TearDown() override {
        MainWindowFixture::TearDown();
        UninstallTestFont();
    }
    // Double-clicks a row and reads the window that opens; the window is
    // closed through its system menu, as the close box does.
    Shown Open(int listId, const std::string& row) {
        Shown shown;
        const int index = Row(listId, row);
        EXPECT_GE(index, 0) << row;
        SendMessageA(List(listId), LB_SETSEL, FALSE, -1);
        SendMessageA(List(listId), LB_SETSEL, TRUE, index);
        SendMessageA(List(listId), LB_SETCARETINDEX, index, FALSE);
        ModalWatcher watcher(ModalWatcher::kClose);
        watcher.Inspect([&shown](HWND dialog) { Read(dialog, shown); });
        Command(listId, LBN_DBLCLK);
        seen_ = watcher.seen();
        return shown;
    }
    void ExpectGeometry(const Shown& shown, bool withNotice) {
        EXPECT_EQ(shown.template_.right, shown.client.right);
        EXPECT_EQ(shown.template_.bottom, shown.client.bottom);
        EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (shown.window.right - shown.window.left)) / 2, shown.window.left);
        EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (shown.window.bottom - shown.window.top)) / 2, shown.window.top);
        RECT sample = shown.sampleTemplate;
        if (!withNotice) sample.bottom = shown.noticeTemplate.bottom;
        EXPECT_TRUE(SameRect(sample, shown.sampleBox)) << shown.sampleBox.bottom << " " << sample.bottom;
        EXPECT_TRUE(SameRect(sample, shown.sampleAfterResize));
        if (withNotice) {
            EXPECT_TRUE(SameRect(shown.noticeTemplate, shown.noticeBox));
            EXPECT_TRUE(SameRect(shown.noticeTemplate, shown.noticeAfterResize));
        }
    }
    // The sample window opened and closed, and nothing else came up.
    void ExpectOneWindow(const Shown& shown) {
        EXPECT_TRUE(shown.open);
        EXPECT_TRUE(shown.openAfterKeys) << "Enter, Escape or WM_CLOSE ended the window";
        EXPECT_EQ(0u, GetObjectType(shown.sampleFont)) << "sample font not deleted";
        ASSERT_EQ(1u, seen_.size());
        EXPECT_EQ(window_, seen_[0].owner);
    }
    void ExpectAccessError(const Shown& shown) {
        EXPECT_FALSE(shown.open);
        ASSERT_EQ(1u, seen_.size());
        EXPECT_EQ("Message", seen_[0].caption);
        EXPECT_EQ("There has been an error accessing the TTF file you selected. This file may be damaged.",
                  seen_[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), seen_[0].boxStyle);
    }
    void InstallTestFont(const Bytes& font) {
        const std::string path = std::string(FontsDirectory()) + kInstalledFile;
        ASSERT_TRUE(WriteFile(path, font));
        ASSERT_GT(AddFontResourceA(path.c_str()), 0);
        SetFontFile(kInstalledFile);
    }
    void SetFontFile(const std::string& file) {
        HKEY key;
        ASSERT_EQ(0, RegOpenKeyExA(HKEY_LOCAL_MACHINE, FontRegistryKey(), 0, KEY_SET_VALUE, &key));
        RegSetValueExA(key, (std::string(kInstalledName) + " (TrueType)").c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(file.c_str()), static_cast<DWORD>(file.size() + 1));
        RegCloseKey(key);
    }
    void UninstallTestFont() {
        const std::string path = std::string(FontsDirectory()) + kInstalledFile;
        while (RemoveFontResourceA(path.c_str())) {
        }
        DeleteFileA(path.c_str());
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, FontRegistryKey(), 0, KEY_SET_VALUE, &key) == 0) {
            RegDeleteValueA(key, (std::string(kInstalledName) + " (TrueType)").c_str());
            RegCloseKey(key);
        }
    }

    std::vector<ModalWatcher::Seen> seen_;
};

// A font file, loaded as a private copy under a face of its own: the whole
// window, and the file gone from the font table once it closes.
TEST_F(SampleWindowTest, FontFileShowsItsSampleUnderAPrivateFaceOnlyWhileOpen) {
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-file.ttf",
                          MakeFont("Quillmere Sample File", "(c) Tabs\there,\nbare feeds\nrun on.\rCR starts a line.")));
    Start("SampleFontSize = 24\r\nFontSampleText = Pack my box with five dozen liquor jugs.\r\nWindowsFontNameFix = 1\r\n");
    g_settings.SampleFontColour = RGB(0x12, 0x34, 0x56);
    const int before = CountTemporaryFontFiles();

    const Shown shown = Open(IDC_FILE_LIST, "qms-file.ttf");
    ExpectOneWindow(shown);
    EXPECT_EQ("Quillmere Sample File -- qms-file.ttf", shown.caption);
    EXPECT_EQ("Quillmere Sample File\r\n\r\n" + CharacterSet() + "\r\n\r\nPack my box with five dozen liquor jugs.",
              shown.sample);
    EXPECT_EQ(std::string(kPrefix) + "(c) Tabs here,bare feedsrun on.\r\nCR starts a line.", shown.notice);
    EXPECT_EQ(224u * 2, CharacterSet().size());

    // The sample box draws with the private copy's face, SampleFontSize
    // high; the notice box keeps the dialog's font.
    EXPECT_EQ(24, shown.font.lfHeight);
    EXPECT_EQ(DEFAULT_CHARSET, shown.font.lfCharSet);
    EXPECT_EQ(0, shown.font.lfWeight);
    const std::string face = shown.font.lfFaceName;
    ASSERT_EQ(0u, face.rfind("FONT", 0)) << face;
    EXPECT_NE(std::string::npos, face.find_first_of("0123456789"));
    EXPECT_EQ(face, shown.realFace);
    EXPECT_TRUE(shown.faceListed);
    EXPECT_EQ(before + 1, shown.temporaryFiles);
    EXPECT_TRUE(shown.noticeUsesDialogFont);

    EXPECT_TRUE(shown.whiteBrush);
    EXPECT_EQ(RGB(255, 255, 255), shown.background);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), shown.textColour);
    ExpectGeometry(shown, true);

    // Closed: the copy is deleted and its face gone from the system.
    EXPECT_EQ(before, CountTemporaryFontFiles());
    EXPECT_FALSE(FaceIsListed(face.c_str()));
    EXPECT_EQ("One font selected", Status(IDC_FILE_STATUS));
}

// A file named like an installed font still shows its own outlines (the
// monospaced DejaVu Sans Mono, not the installed DejaVu Sans).
TEST_F(SampleWindowTest, NameFixShowsTheFilesOwnGlyphs) {
    const std::string impostor = folder_ + "\\qms-impostor.ttf";
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSansMono.ttf"), impostor));
    ASSERT_TRUE(RewriteFontName("DejaVu Sans", impostor.c_str()));
    ASSERT_TRUE(FaceIsListed("DejaVu Sans"));
    Start("WindowsFontNameFix = 1\r\n");
    const Shown shown = Open(IDC_FILE_LIST, "qms-impostor.ttf");
    ExpectOneWindow(shown);
    EXPECT_EQ("DejaVu Sans -- qms-impostor.ttf", shown.caption);
    EXPECT_EQ(0, strncmp(shown.font.lfFaceName, "FONT", 4)) << shown.font.lfFaceName;
    EXPECT_GT(shown.narrow, 0);
    EXPECT_EQ(shown.narrow, shown.wide) << "drawn with the installed font";
    EXPECT_TRUE(FaceIsListed("DejaVu Sans"));
}

// Without the name fix the file itself is loaded and unloaded; files that
// cannot be read or loaded give the access message and no window.
TEST_F(SampleWindowTest, PlainLoadAndFilesThatCannotBeShown) {
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-plain.ttf", MakeFont("Quillmere Sample Plain", "")));
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-garbage.ttf", Bytes(2000, 'x')));
    // Names that read well, tables no renderer takes.
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-hollow.ttf", BuildFont({{3, 1, 0x409, 4, Utf16Latin1("Quillmere Hollow")}})));
    Start("WindowsFontNameFix = 0\r\nSampleFontSize = 40\r\n");
    const int before = CountTemporaryFontFiles();
    ASSERT_FALSE(FaceIsListed("Quillmere Sample Plain"));

    const Shown shown = Open(IDC_FILE_LIST, "qms-plain.ttf");
    ExpectOneWindow(shown);
    EXPECT_EQ("Quillmere Sample Plain -- qms-plain.ttf", shown.caption);
    EXPECT_EQ("Quillmere Sample Plain\r\n\r\n" + CharacterSet() + "\r\n\r\n" + g_settings.FontSampleText,
              shown.sample);
    EXPECT_STREQ("Quillmere Sample Plain", shown.font.lfFaceName);
    EXPECT_EQ("Quillmere Sample Plain", shown.realFace);
    EXPECT_EQ(40, shown.font.lfHeight);
    EXPECT_TRUE(shown.faceListed);
    EXPECT_EQ(before, shown.temporaryFiles);
    // No notice: no notice box, and the sample reaches down to its bottom.
    EXPECT_FALSE(shown.hasNotice);
    ExpectGeometry(shown, false);
    EXPECT_FALSE(FaceIsListed("Quillmere Sample Plain"));
    EXPECT_EQ(0, RemoveFontResourceA((folder_ + "\\qms-plain.ttf").c_str())) << "still loaded";

    for (int fix = 0; fix <= 1; ++fix) {
        g_settings.WindowsFontNameFix = fix;
        for (const char* file : {"qms-garbage.ttf", "qms-hollow.ttf"}) {
            SCOPED_TRACE(file);
            ExpectAccessError(Open(IDC_FILE_LIST, file));
            EXPECT_EQ(before, CountTemporaryFontFiles());
        }
    }
    EXPECT_FALSE(FaceIsListed("Quillmere Hollow"));
}

// An installed font: its file in the fonts folder, the notice as read (no
// tabs or bare line feeds taken out), the installed face; and when its file
// cannot be read, the sample alone.
TEST_F(SampleWindowTest, InstalledFontShowsItsFileAndTheNoticeAsRead) {
    const std::string notice = "(c) Tab\there,\nline feed\r\nand CR LF.";
    InstallTestFont(MakeFont(kInstalledName, notice));
    Start("WindowsFontNameFix = 1\r\nSampleFontSize = 33\r\n");
    const int before = CountTemporaryFontFiles();

    Shown shown = Open(IDC_INSTALLED_LIST, kInstalledName);
    ExpectOneWindow(shown);
    EXPECT_EQ(std::string(kInstalledName) + " -- " + FontsDirectory() + kInstalledFile, shown.caption);
    EXPECT_EQ(std::string(kInstalledName) + "\r\n\r\n" + CharacterSet() + "\r\n\r\n" + g_settings.FontSampleText,
              shown.sample);
    EXPECT_EQ(kPrefix + notice, shown.notice);
    EXPECT_STREQ(kInstalledName, shown.font.lfFaceName);
    EXPECT_EQ(kInstalledName, shown.realFace);
    EXPECT_EQ(33, shown.font.lfHeight);
    EXPECT_EQ(before, shown.temporaryFiles);
    ExpectGeometry(shown, true);
    EXPECT_TRUE(FaceIsListed(kInstalledName)) << "an installed font stays installed";

    SetFontFile("qms-missing.ttf");
    shown = Open(IDC_INSTALLED_LIST, kInstalledName);
    ExpectOneWindow(shown);
    EXPECT_EQ(std::string(kInstalledName) + " -- " + FontsDirectory() + "qms-missing.ttf", shown.caption);
    EXPECT_FALSE(shown.hasNotice);
    ExpectGeometry(shown, false);
}

}  // namespace
