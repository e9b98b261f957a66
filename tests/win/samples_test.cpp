// Font samples: a font file made drawable for a moment under a private face, the sample image of a file row compared
// pixel for pixel with the same text drawn in an installed face, the font sample window opened by double clicks (its
// texts, font, colours, what it leaves behind, and that it opens with nothing selected), and printed sample sheets.
#include <direct.h>

#include <fstream>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "samples/filesample.h"
#include "samples/packeddib.h"
#include "samples/sheetlayout.h"
#include "truetype/tempfont.h"
#include "wintest.h"

namespace {

TEST(LoadTemporaryFont, PrivateCopyUnderAUniqueFaceOrTheSourceAndNothingLeft) {
    const std::string folder = NewTestFolder();
    const Bytes original = ReadFileBytes(HostFont("DejaVuSans.ttf"));
    Bytes damaged = original;  // a naming table the rewrite refuses
    for (const ParsedTable& t : ParseSfnt(damaged))
        if (t.tag == "name") PatchU16(damaged, t.offset + 6 + 10, 0xFFF0);
    const int before = CountTemporaryFontFiles();
    // added: 2 for a private copy, 1 for the source itself, 0 for nothing.
    const struct { const char* file; Bytes bytes; DWORD attributes; int added; } cases[] = {
        {"read only.ttf", original, FILE_ATTRIBUTE_READONLY, 2}, {"broken.ttf", damaged, 0, 1}, {"missing.ttf", "", 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = folder + "\\" + c.file;
        if (!c.bytes.empty()) ASSERT_TRUE(WriteFile(path, c.bytes));
        if (c.attributes) SetFileAttributesA(path.c_str(), c.attributes);
        char face[16] = "x", temp[MAX_PATH] = "x";
        const int added = LoadTemporaryFont(path.c_str(), face, temp);
        EXPECT_EQ(c.added != 0, added > 0);
        EXPECT_EQ(before + (c.added == 2), CountTemporaryFontFiles());
        if (c.added == 2) {
            // "FONT" and the decimal of the number the system put in the copy's name in hex ("GLY1A2B.tmp"); the copy
            // carries it.
            const char* name = strrchr(temp, '\\');
            ASSERT_EQ(0, strncmp(name + 1, "GLY", 3)) << temp;
            EXPECT_EQ("FONT" + std::to_string(strtoul(name + 4, nullptr, 16)), face);
        } else {
            EXPECT_STREQ("", face);
            EXPECT_STREQ("", temp);
        }
        if (added) ReleaseTemporaryFont(path.c_str(), temp);
        EXPECT_EQ(before, CountTemporaryFontFiles());
        EXPECT_EQ(c.bytes, ReadFileBytes(path)) << "the source is never changed";
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The bytes of a sample block, header and all, which is freed; empty for a failed sample.
Bytes Take(HGLOBAL block) {
    if (block == SampleFailed()) return {};
    Bytes bytes(reinterpret_cast<const char*>(LockedGlobal(block).get()), GlobalSize(block));
    GlobalFree(block);
    return bytes;
}

Bytes Render(const char* row, int width) { return Take(RenderFileSample(row, width, 27)); }

// The same text drawn by the test itself in an installed face, cut with an ellipsis.
Bytes Reference(const char* face, const char* text, int width) {
    const COLORREF colours[2] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    HGLOBAL block = CreatePackedDib(width, 27, colours, 2, 1);
    {
        LockedGlobal dib(block);
        MemoryDC memory(nullptr);
        void* bits = nullptr;
        GdiObject<HBITMAP> section(CreateDIBSection(memory.get(), reinterpret_cast<BITMAPINFO*>(dib.get()),
                                                    DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectedObject b(memory.get(), section.get());
        GdiObject<HFONT> font(CreateFontA(24, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
        SelectedObject f(memory.get(), font.get());
        RECT all = {0, 0, width, 27};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(memory.get(), TRANSPARENT);
        RECT area = {8, 0, width, 27};
        DrawTextA(memory.get(), text, -1, &area, DT_NOPREFIX | DT_END_ELLIPSIS);
        GdiFlush();
        memcpy(dib.get() + 48, bits, DibStride(width, 1) * 27);
    }
    return Take(block);
}

// Characters 32 to 255, each followed by a blank.
std::string CharacterSet() {
    std::string text;
    for (int code = 32; code <= 255; ++code) text += {static_cast<char>(code), ' '};
    return text;
}

// A real font (DejaVu Sans's outlines) carrying exactly these names.
Bytes MakeFont(const std::string& name, const std::string& notice) {
    std::vector<SfntTable> tables;
    for (const ParsedTable& table : ParseSfnt(ReadFileBytes(HostFont("DejaVuSans.ttf")))) {
        if (table.tag != "name") tables.push_back({table.tag, table.data});
    }
    NameTableSpec names;
    for (const auto& [id, text] : {std::pair{0, notice}, {1, name}, {4, name}}) {
        if (!text.empty()) names.records.push_back({3, 1, 0x409, static_cast<uint16_t>(id), Utf16Latin1(text)});
    }
    tables.push_back({"name", BuildNameTable(names)});
    return BuildSfnt(tables);
}

// What the open sample window showed, read from inside its modal loop.
struct Shown {
    std::string caption, sample, notice = "(no box)", face, realFace;
    int height = 0, temporaryFiles = 0, narrow = 0, wide = 0;
    COLORREF textColour = 0;
    HFONT font = nullptr;
};

// Checks on the way that nothing is selected and that Enter, Escape and a plain close request leave the window open.
Shown Read(HWND dialog) {
    Shown shown;
    HWND sample = GetDlgItem(dialog, IDC_SAMPLE_TEXT);
    shown.caption = WindowText(dialog);
    shown.sample = WindowText(sample);
    if (HWND notice = GetDlgItem(dialog, IDC_SAMPLE_NOTICE)) shown.notice = WindowText(notice);
    shown.font = reinterpret_cast<HFONT>(SendMessageA(sample, WM_GETFONT, 0, 0));
    LOGFONTA font = {};
    GetObjectA(shown.font, sizeof font, &font);
    shown.face = font.lfFaceName;
    shown.height = font.lfHeight;
    EXPECT_TRUE(font.lfEscapement == 0 && font.lfOrientation == 0 && !font.lfItalic) << "the sample stands upright";
    EXPECT_TRUE(font.lfWeight == FW_DONTCARE || font.lfWeight == FW_NORMAL) << "in the face's regular weight";
    ScreenDC screen;
    {
        SelectedObject select(screen.get(), shown.font);
        char face[LF_FACESIZE] = "";
        GetTextFaceA(screen.get(), sizeof face, face);
        shown.realFace = face;
        GetCharWidth32A(screen.get(), 'i', 'i', &shown.narrow);
        GetCharWidth32A(screen.get(), 'W', 'W', &shown.wide);
    }
    shown.temporaryFiles = CountTemporaryFontFiles();
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(screen.get()), reinterpret_cast<LPARAM>(sample));
    shown.textColour = GetTextColor(screen.get());
    DWORD start = 0, end = 1;
    SendMessageA(sample, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter, Escape or WM_CLOSE ended the window";
    return shown;
}

class SamplesTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        before_ = CountTemporaryFontFiles();
    }
    void TearDown() override {
        EXPECT_EQ(before_, CountTemporaryFontFiles()) << "a temporary font copy was left behind";
        MainWindowFixture::TearDown();
        SweepTestFonts("qms-", "Quillmere Sample");
    }
    int before_ = 0;
    // Double-clicks a row and reads the one window that opens, then closes it through its system menu, as the close
    // box does.
    Shown Open(int listId, const std::string& row, const char* picture = nullptr) {
        Shown shown;
        ModalWatcher watcher(ModalWatcher::kClose);
        watcher.Inspect([&](HWND dialog) {
            if (picture) SaveScreenshot(dialog, picture);
            if (GetDlgItem(dialog, IDC_SAMPLE_TEXT)) shown = Read(dialog);
        });
        DoubleClick(listId, row);
        EXPECT_EQ(1u, watcher.seen().size());
        EXPECT_EQ(window_, watcher.seen().empty() ? nullptr : watcher.seen()[0].owner);
        EXPECT_EQ(0u, GetObjectType(shown.font)) << "sample font not deleted";
        return shown;
    }
};

TEST_F(SamplesTest, FileRowImageIsTheNameInTheFilesOwnGlyphs) {
    ASSERT_EQ(0, _chdir(folder_.c_str()));
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), folder_ + "\\sans.ttf"));
    const Bytes sample = Render("sans.ttf", 300);
    const unsigned char header[48] = {40, 0, 0, 0, 0x2C, 1, 0, 0, 27, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0x38, 4, 0, 0,
                                      0,  0, 0, 0, 0,    0, 0, 0, 2,  0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_EQ(Bytes(reinterpret_cast<const char*>(header), sizeof header), sample.substr(0, 48));
    EXPECT_EQ(48u + 40 * 27, sample.size());
    // Named like an installed font: only the private copy shows its own glyphs; registered as it is, the installed
    // font wins.
    MakeFontFile(folder_ + "\\impostor.ttf", "DejaVu Sans", "LiberationSerif-Regular.ttf");
    ASSERT_TRUE(WriteFile(folder_ + "\\cut.ttf", ReadFileBytes(HostFont("DejaVuSans.ttf")).substr(0, 200)));
    ASSERT_TRUE(WriteFile(folder_ + "\\hollow.ttf", BuildFont({{3, 1, 0x409, 4, Utf16Latin1("Hollow")}})));
    for (uint32_t fix : {1u, 0u}) {
        SCOPED_TRACE(fix);
        g_settings.WindowsFontNameFix = fix;
        EXPECT_EQ(Reference("DejaVu Sans", "DejaVu Sans", 300), Render("sans.ttf", 300));
        EXPECT_EQ(Reference("DejaVu Sans", "DejaVu Sans", 64), Render("sans.ttf", 64)) << "ellipsis";
        EXPECT_EQ(Reference(fix ? "Liberation Serif" : "DejaVu Sans", "DejaVu Sans", 300), Render("impostor.ttf", 300));
        for (const char* row : {"[..]", "[-c-]", "", "missing.ttf", "cut.ttf", "hollow.ttf"}) {
            EXPECT_EQ(SampleFailed(), RenderFileSample(row, 300, 27)) << row;
        }
    }
}

TEST_F(SamplesTest, FontFilesShowUnderAPrivateFaceOnlyWhileOpenInstalledFontsAsTheyAre) {
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-file.ttf",
                          MakeFont("Quillmere Sample File", "(c) Tabs\there,\nbare feeds\nrun on.\rCR starts a line.")));
    // Named like an installed font: the monospaced file's own glyphs.
    MakeFontFile(folder_ + "\\qms-impostor.ttf", "DejaVu Sans");
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-plain.ttf", MakeFont("Quillmere Sample Plain", "")));
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-garbage.ttf", Bytes(2000, 'x')));
    ASSERT_TRUE(WriteFile(folder_ + "\\qms-hollow.ttf", BuildFont({{3, 1, 0x409, 4, Utf16Latin1("Quillmere Hollow")}})));
    const std::string notice = "(c) Tab\there,\nline feed\r\nand CR LF.";
    const std::string path = std::string(FontsDirectory()) + "qms-installed.ttf";
    ASSERT_TRUE(WriteFile(path, MakeFont("Quillmere Sample Installed", notice)));
    ASSERT_GT(AddFontResourceA(path.c_str()), 0);
    SetFontValue("Quillmere Sample Installed (TrueType)", "qms-installed.ttf");
    Start("SampleFontSize = 24\r\nFontSampleText = Pack my box with five dozen liquor jugs.\r\n");
    g_settings.SampleFontColour = RGB(0x12, 0x34, 0x56);
    Shown shown = Open(IDC_FILE_LIST, "qms-file.ttf", "sample-window.png");
    EXPECT_EQ("Quillmere Sample File -- qms-file.ttf", shown.caption);
    EXPECT_EQ("Quillmere Sample File\r\n\r\n" + CharacterSet() + "\r\n\r\nPack my box with five dozen liquor jugs.",
              shown.sample);
    EXPECT_EQ("Copyright information for this font -- (c) Tabs here,bare feedsrun on.\r\nCR starts a line.",
              shown.notice);
    EXPECT_EQ(24, shown.height);
    ASSERT_EQ(0u, shown.face.rfind("FONT", 0)) << shown.face;
    EXPECT_EQ(shown.face, shown.realFace);
    EXPECT_EQ(before_ + 1, shown.temporaryFiles);
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), shown.textColour);
    EXPECT_FALSE(FaceIsListed(shown.face.c_str())) << "still loaded after closing";
    EXPECT_EQ("One font selected", Status(IDC_FILE_STATUS));
    shown = Open(IDC_FILE_LIST, "qms-impostor.ttf");
    EXPECT_EQ("DejaVu Sans -- qms-impostor.ttf", shown.caption);
    EXPECT_EQ(shown.narrow, shown.wide) << "drawn with the installed font";

    // Without the name fix the file itself is loaded, and unloaded after.
    g_settings.WindowsFontNameFix = 0;
    g_settings.SampleFontSize = 40;
    shown = Open(IDC_FILE_LIST, "qms-plain.ttf");
    EXPECT_EQ("Quillmere Sample Plain\r\n\r\n" + CharacterSet() + "\r\n\r\n" + g_settings.FontSampleText, shown.sample);
    EXPECT_EQ("Quillmere Sample Plain", shown.realFace);
    EXPECT_EQ(40, shown.height);
    EXPECT_EQ(before_, shown.temporaryFiles);
    EXPECT_EQ("(no box)", shown.notice);
    EXPECT_EQ(0, RemoveFontResourceA((folder_ + "\\qms-plain.ttf").c_str())) << "still loaded";
    for (uint32_t fix : {0u, 1u}) {
        g_settings.WindowsFontNameFix = fix;
        for (const char* file : {"qms-garbage.ttf", "qms-hollow.ttf"}) {
            Run([&] { DoubleClick(IDC_FILE_LIST, file); }, {},
                {{"There has been an error accessing the TTF file you selected. This file may be damaged.", kTell}});
        }
    }

    // An installed font: its file and its notice as read; its file gone, the sample alone.
    g_settings.SampleFontSize = 33;
    shown = Open(IDC_INSTALLED_LIST, "Quillmere Sample Installed");
    EXPECT_EQ("Quillmere Sample Installed -- " + path, shown.caption);
    EXPECT_EQ("Copyright information for this font -- " + notice, shown.notice);
    EXPECT_EQ("Quillmere Sample Installed", shown.realFace);
    EXPECT_EQ(33, shown.height);
    EXPECT_EQ(before_, shown.temporaryFiles);
    EXPECT_TRUE(FaceIsListed("Quillmere Sample Installed")) << "an installed font stays installed";

    // A value holding a whole path names the file itself.
    SetFontValue("Quillmere Sample Installed (TrueType)", path);
    EXPECT_EQ("Quillmere Sample Installed -- " + path, Open(IDC_INSTALLED_LIST, "Quillmere Sample Installed").caption);
    // Its file gone: the sample alone.
    SetFontValue("Quillmere Sample Installed (TrueType)", "qms-missing.ttf");
    shown = Open(IDC_INSTALLED_LIST, "Quillmere Sample Installed");
    EXPECT_EQ("Quillmere Sample Installed -- " + std::string(FontsDirectory()) + "qms-missing.ttf", shown.caption);
    EXPECT_EQ("(no box)", shown.notice);
}

// Sheets printed on a real queue (tools/privatecups.sh), read back by pdftotext: each line where the layout puts it.
struct Line { double x0, y, x1; std::string text; };  // y: the middle of the line's box, in points
using Pages = std::vector<std::vector<Line>>;

class PrintTest : public MainWindowFixture {
protected:
    // Prints the list's selection through its Print command, answering the print dialog; the text lines of the jobs'
    // pages in job order.
    Pages Print(int listId, int answer = IDOK) {
        ModalWatcher watcher(answer);
        Command(listId == IDC_FILE_LIST ? IDM_FILES_PRINT : IDM_INSTALLED_PRINT);
        EXPECT_EQ(1u, watcher.seen().size());
        // When the queue is empty (a Unix shell, run by Wine): "n x0 y x1 text" lines of page n, first "(page) fonts".
        const char* argv[] = {"/bin/sh", "-c", R"sh(cd "$(printf %s "${1#Z:}" | tr '\\' /)" || exit 1
            while lpstat -o | grep -q . && [ $((i+=1)) -lt 300 ]; do sleep 0.1; done
            for f in $(ls -tr -- *.pdf 2>/dev/null); do echo "$((n+=1)) 0 0 0 (page)" $(pdffonts "$f")
              pdftotext -bbox-layout "$f" - | awk -F'"' -v n=$n '/<line /{x0=$2; y=($4+$8)/2; x1=$6; t=""}
                /<word /{sub(/.*">/, ""); sub(/<\/word>/, ""); t=t (t==""?"":" ") $0} /<\/line>/{print n, x0, y, x1, t}'
            done >lines; rm -f -- *.pdf)sh", "sh", out_.c_str(), nullptr};
        auto spawn = reinterpret_cast<LONG(CDECL*)(const char* const*, int)>(
            GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp"));
        EXPECT_TRUE(spawn && spawn(argv, TRUE) == 0);
        Pages pages;
        std::ifstream in(out_ + "\\lines");
        Line l;
        for (size_t n; in >> n >> l.x0 >> l.y >> l.x1 && std::getline(in >> std::ws, l.text); pages[n - 1].push_back(l))
            if (pages.size() < n) pages.resize(n);
        return pages;
    }
    static double Pt(double pixels) { return pixels * 72 / 300; }
    // The line of text drawn height pixels high at (x, y).
    static Line At(const std::vector<Line>& page, int x, int y, int height) {
        for (const Line& l : page)
            if (std::abs(l.x0 - Pt(x)) < 0.02 && std::abs(l.y - Pt(y + height / 2.0)) < Pt(height * 0.15)) return l;
        return {0, 0, 0, "(nothing there)"};
    }
    // Names in their cells on A4 at 300 dpi, cut with "..." when (only when) over 20 characters; the footers.
    void ExpectSheet(const Pages& pages, const std::vector<std::string>& names, size_t pageCount) {
        ASSERT_EQ(pageCount, pages.size());
        const SheetLayout layout = LayOutSheet(g_settings, {300, 2479, 3508});
        SheetPager pager{};
        for (size_t i = 0; i < names.size() || PageHasCells(pager); ++i) {
            const std::vector<Line>& page = pages.at(pager.pages);
            if (i < names.size()) {
                const SheetCell c = PlaceSheetCell(layout, pager);
                const Line cut = At(page, c.sample.x, c.sample.y, layout.sampleHeight);
                EXPECT_EQ(names[i].size() > 20 ? names[i].substr(0, cut.text.size() - 3) + "..." : names[i], cut.text);
                EXPECT_LE(cut.x1, Pt(c.sample.x + c.sampleWidth)) << cut.text;
                EXPECT_EQ(names[i], At(page, c.title.x, c.title.y, layout.titleHeight).text);
                if (!c.endsPage) continue;
            }
            const SheetPageEnd end = FinishSheetPage(layout, pager);
            const std::string footer = At(page, end.footer.x, end.footer.y, layout.footerHeight).text;
            const std::string head = "Page " + std::to_string(end.page) + " printed on ";
            EXPECT_EQ(head, footer.substr(0, head.size()));
            EXPECT_EQ(head.size() + 24, footer.size()) << footer;  // and the date and time
        }
    }
    const std::string out_ = getenv("QM_PDF_DIR") ? getenv("QM_PDF_DIR") : "";
};

TEST_F(PrintTest, SevenFilesOnAPageThenAJobForEachFullPageAndNothingOnCancel) {
    if (out_.empty()) GTEST_SKIP() << "no private printer: make test (tools/run-tests.sh) starts one";
    std::vector<std::string> names = {"Qm Sheet 1", "Qm Sheet 2", "Qm Sheet 3", "", "Qm Sheet 5", "Qm Sheet 6",
                                      "Qm Sheet 7 Is Much Too Wide", "Qm Sheet 8"}, rows;
    for (const std::string& name : names) {
        const std::string path = folder_ + "\\" + rows.emplace_back("qmp-" + std::to_string(rows.size()) + ".ttf");
        ASSERT_TRUE(name.empty() ? WriteFile(path, Bytes(3000, 'x')) : MakeFontFile(path, name) == path);
    }
    Start();
    Select(IDC_FILE_LIST, rows);
    const int copies = CountTemporaryFontFiles();
    names.erase(names.begin() + 3);
    const Pages pages = Print(IDC_FILE_LIST);
    EXPECT_NE(std::string::npos, pages.at(0).at(0).text.find("+DejaVuSansMono ")) << "not in the files' own font";
    ExpectSheet(pages, names, 1);
    EXPECT_EQ(copies, CountTemporaryFontFiles());
    g_settings.PaperColumns = 1, g_settings.TopPrintMargin = 500, g_settings.BottomPrintMargin = 550;
    const std::vector<std::string> faces = {"DejaVu Sans", "DejaVu Serif", "Liberation Sans", "Liberation Serif"};
    Select(IDC_INSTALLED_LIST, faces);
    EXPECT_EQ(0u, Print(IDC_INSTALLED_LIST, IDCANCEL).size());
    ExpectSheet(Print(IDC_INSTALLED_LIST), faces, 2);
}

}  // namespace
