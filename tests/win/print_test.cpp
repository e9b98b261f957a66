// Sheets printed on a real queue (tools/privatecups.sh), read back by pdftotext: each line where the layout puts it.
#include <fstream>
#include "config/settings.h"
#include "resources/resource.h"
#include "samples/sheetlayout.h"
#include "wintest.h"

namespace {

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
