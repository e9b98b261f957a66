// The Setup sheet and the colour picker, worked as the user works them on the real main window: what OK stores for
// each page that was opened, what Cancel leaves, and how a colour button paints its colour.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>

#include "config/colourpicker.h"
#include "config/settings.h"
#include "config/setupsheet.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

// Every setting's value as the file would show it.
std::map<std::string, std::string> Values() {
    std::map<std::string, std::string> values;
    for (const SettingsKey& key : kSettingsKeys) {
        const bool text = key.kinds & kKindText;
        values[key.name] = text ? SettingsText(g_settings, key) : std::to_string(SettingsNumber(g_settings, key));
    }
    return values;
}

HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

class SetupTest : public MainWindowFixture {
protected:
    // Runs the sheet: onSheet works it once, onPicker works each colour picker it opens; the sheet and then the
    // picker are answered in turn. Returns whether the lists must be drawn anew.
    bool RunSheet(const std::function<void(HWND)>& onSheet, const std::function<void(HWND)>& onPicker,
                  std::initializer_list<int> answers) {
        ModalWatcher watcher(IDOK);
        watcher.Answer(answers);
        bool worked = false;
        watcher.Inspect([&](HWND box) {
            if (!PropSheet_GetTabControl(box)) {
                if (onPicker) onPicker(box);
            } else if (!worked) {
                worked = true;
                EXPECT_EQ("Setup", WindowText(box));
                onSheet(box);
            }
        });
        const bool redraw = RunSetupSheet(window_);
        EXPECT_TRUE(worked);
        return redraw;
    }
};

struct SheetCase {
    const char* what;
    std::string settings;
    int page;                                        // -1: every page, each pictured
    std::vector<std::pair<int, const char*>> typed;  // control, text (none: a click)
    int click;                                       // a button on the page, or 0
    int cellRow, cellColumn;                         // picker cell to click, or -1
    std::initializer_list<int> answers;              // the sheet's, then the picker's
    std::vector<std::pair<const char*, std::string>> stored;  // every other value is kept
    bool redraw;
};

TEST_F(SetupTest, OkStoresWhatTheOpenedPagesHoldAndKeepsEveryOtherValue) {
    const char* margins = "LeftPrintMargin = 75\r\nPaperSampleSize = 60\r\nPaperLeading = 20\r\nPaperColumns = 4\r\n";
    const SheetCase cases[] = {
        {"every page untouched",
         "PaperColumns = 2\r\nLeftPrintMargin = 29\r\nTopPrintMargin = 75\r\nPaperLeading = 8\r\n"
         "PaperFrameColour = 8404992\r\nPaperRoundFrame = 0\r\nDisplayFontSize = 20\r\nTitleFontSize = 14\r\n"
         "PaperTitleFont = DejaVu Sans\r\nFooterFont = DejaVu Serif\r\nFontSampleText = Sphinx of black quartz\r\n"
         "PageFooter = %P / %S\r\nPromptWhenDone = 0\r\nWarnShowManual = 0",
         -1, {}, 0, -1, -1, {IDOK}, {}, false},
        {"columns clamped", "PaperColumns = 9", 1, {}, 0, -1, -1, {IDOK}, {{"PaperColumns", "5"}}, false},
        {"page never opened", "PaperColumns = 9", 0, {}, 0, -1, -1, {IDOK}, {{"PaperColumns", "9"}}, false},
        {"reset two columns", margins, 1, {}, IDC_SETUP_RESET_TWO, -1, -1, {IDOK},
         {{"PaperColumns", "2"}, {"LeftPrintMargin", "50"}, {"TopPrintMargin", "50"}, {"RightPrintMargin", "50"},
          {"BottomPrintMargin", "50"}, {"PaperSampleSize", "36"}, {"PaperTitleSize", "12"}, {"PaperLeading", "8"}},
         false},
        {"inches typed", margins, 1,
         {{IDC_SETUP_LEFT_MARGIN, "1.5"}, {IDC_SETUP_TOP_MARGIN, "40"}, {IDC_SETUP_RIGHT_MARGIN, "40\""},
          {IDC_SETUP_BOTTOM_MARGIN, "0.005"}, {IDC_SETUP_SAMPLE_SIZE, "-1"}, {IDC_SETUP_LEADING, "abc"},
          {IDC_SETUP_COLUMNS, "x"}, {IDC_SETUP_TITLE_SIZE, "0.03"}},
         0, -1, -1, {IDOK},
         {{"LeftPrintMargin", "150"}, {"TopPrintMargin", "3000"}, {"RightPrintMargin", "3000"},
          {"BottomPrintMargin", "1"}, {"PaperSampleSize", "72"}, {"PaperLeading", "0"}, {"PaperColumns", "1"},
          {"PaperTitleSize", "4"}},
         false},
        {"up arrows", margins, 1, {}, IDC_SETUP_LEFT_MARGIN + SETUP_UPDOWN_OFFSET, -1, -1, {IDOK},
         {{"LeftPrintMargin", "76"}}, false},
        {"buddy up arrow", margins, 1, {}, IDC_SETUP_COLUMNS + SETUP_UPDOWN_OFFSET, -1, -1, {IDOK},
         {{"PaperColumns", "5"}}, false},
        {"cancelled", margins, 1, {{IDC_SETUP_LEFT_MARGIN, "1.5"}}, IDC_SETUP_RESET_ONE, -1, -1, {IDCANCEL},
         {{"LeftPrintMargin", "75"}, {"PaperColumns", "4"}}, false},
        {"display size", "", 0, {{IDC_SETUP_DISPLAY_FONT_SIZE, "30"}}, 0, -1, -1, {IDOK},
         {{"DisplayFontSize", "30"}}, true},
        {"listed face by prefix", "PaperTitleFont = DejaVu Sans M", 1, {}, 0, -1, -1, {IDOK},
         {{"PaperTitleFont", "DejaVu Sans Mono"}}, false},
        {"face not listed", "FooterFont = No Such Face", 3, {}, 0, -1, -1, {IDOK}, {{"FooterFont", "No Such Face"}},
         false},
        {"footer face by prefix", "FooterFont = DejaVu Ser", 3, {}, 0, -1, -1, {IDOK}, {{"FooterFont", "DejaVu Serif"}},
         false},
        {"sample size clamped", "SampleFontSize = 99", 2, {}, 0, -1, -1, {IDOK}, {{"SampleFontSize", "72"}}, false},
        {"sample text", "", 2, {{IDC_SETUP_SAMPLE_TEXT, "Quick brown fox"}}, 0, -1, -1, {IDOK},
         {{"FontSampleText", "Quick brown fox"}}, false},
        {"check boxes", "PromptWhenDone = 1\r\nPromptBeforeOverwrite = 0\r\nWarnShowManual = 1", 3,
         {{IDC_SETUP_PROMPT_DONE, nullptr}, {IDC_SETUP_PROMPT_OVERWRITE, nullptr}, {IDC_SETUP_WARN_MANUAL, nullptr}}, 0,
         -1, -1, {IDOK}, {{"PromptWhenDone", "0"}, {"PromptBeforeOverwrite", "1"}, {"WarnShowManual", "0"}}, false},
        {"round frame", "PaperRoundFrame = 0", 1, {{IDC_SETUP_ROUND_FRAME, nullptr}}, 0, -1, -1, {IDOK},
         {{"PaperRoundFrame", "1"}}, false},
        {"text and check box", "", 3, {{IDC_SETUP_PAGE_FOOTER, "Page %P"}}, IDC_SETUP_SHOW_STARTUP, -1, -1, {IDOK},
         {{"PageFooter", "Page %P"}, {"ShowStartupWindow", "1"}}, false},
        {"grey ramp cell", "", 1, {}, IDC_SETUP_FRAME_COLOUR, 7, 0, {IDOK, IDOK}, {{"PaperFrameColour", "65793"}}, false},
        {"last cell", "", 1, {}, IDC_SETUP_FRAME_BACKGROUND, 15, 15, {IDOK, IDOK},
         {{"PaperFrameBackground", "16777215"}}, false},
        {"first cell", "SampleFontColour = 255", 2, {}, IDC_SETUP_TEXT_COLOUR, 0, 0, {IDOK, IDOK},
         {{"SampleFontColour", "0"}}, false},
        {"below the grid, then Escape", "PaperFrameColour = 255", 1, {}, IDC_SETUP_FRAME_COLOUR, 16, 0,
         {IDOK, IDCANCEL}, {{"PaperFrameColour", "255"}}, false},
    };
    bool pictured = false;
    COLORREF painted = CLR_INVALID;
    for (const SheetCase& c : cases) {
        SCOPED_TRACE(c.what);
        Start("ShowStartupWindow = 0\r\n" + c.settings + "\r\n");
        std::map<std::string, std::string> want = Values();
        for (const auto& [key, value] : c.stored) want[key] = value;
        const bool redraw = RunSheet(
            [&](HWND sheet) {
                HWND page = nullptr;
                for (int i = std::max(c.page, 0); i <= (c.page < 0 ? SETUP_PAGE_COUNT - 1 : c.page); ++i) {
                    page = ShowPage(sheet, i);
                    FlushEvents();
                    UpdateWindow(sheet);
                    if (c.page < 0) SaveScreenshot(sheet, ("setup-" + std::to_string(i + 1) + ".png").c_str());
                }
                for (const auto& [id, text] : c.typed) {  // typed as a keyboard would, the whole text replaced
                    if (text) SendDlgItemMessageA(page, id, EM_SETSEL, 0, -1);
                    SendDlgItemMessageA(page, id, text ? EM_REPLACESEL : BM_CLICK, TRUE, reinterpret_cast<LPARAM>(text));
                }
                if (c.click > SETUP_UPDOWN_OFFSET) {  // a click on the upper arrow of an up-down control
                    RECT r;
                    GetClientRect(GetDlgItem(page, c.click), &r);
                    SendDlgItemMessageA(page, c.click, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, 2));
                    SendDlgItemMessageA(page, c.click, WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, 2));
                } else if (c.click) {
                    SendDlgItemMessageA(page, c.click, BM_CLICK, 0, 0);
                }
            },
            [&](HWND picker) {
                if (!pictured) SaveScreenshot(picker, "colour-picker.png");
                pictured = true;
                RECT client;
                GetClientRect(picker, &client);
                const int side = client.right / COLOUR_GRID_SIDE;
                const POINT at = {c.cellColumn * side + side / 2, c.cellRow * side + side / 2};
                UpdateWindow(picker);
                HDC dc = GetDC(picker);
                painted = GetPixel(dc, at.x, at.y);
                ReleaseDC(picker, dc);
                SendMessageA(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            },
            c.answers);
        // The cell clicked shows the colour it gives.
        if (c.cellRow >= 0 && c.cellRow < COLOUR_GRID_SIDE) EXPECT_EQ(c.stored[0].second, std::to_string(painted));
        EXPECT_EQ(want, Values());
        EXPECT_EQ(c.redraw, redraw);
        DestroyWindow(window_);
        FlushEvents();
    }
}

TEST_F(SetupTest, ColourButtonsShowTheNearestPaletteColour) {
    Start("PaperFrameColour = 65793\r\n");  // 1, 1, 1 is an entry of its own
    RunSheet(
        [](HWND sheet) {
            HWND page = ShowPage(sheet, 1);
            const struct { int id; bool enabled; COLORREF shown; } buttons[] = {
                {IDC_SETUP_FRAME_BACKGROUND, true, RGB(246, 246, 246)}, {IDC_SETUP_FRAME_COLOUR, true, RGB(1, 1, 1)},
                {IDC_SETUP_FRAME_BACKGROUND, false, RGB(128, 128, 128)}};
            for (const auto& b : buttons) {
                SCOPED_TRACE(b.id);
                HWND button = GetDlgItem(page, b.id);
                EnableWindow(button, b.enabled);
                RECT r;
                GetClientRect(button, &r);
                Canvas canvas(r.right, r.bottom);
                SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
                // Inside the two-pixel edge, the fill alone.
                const std::vector<COLORREF> inside = canvas.Pixels({2, 2, r.right - 2, r.bottom - 2});
                EXPECT_EQ(std::vector<COLORREF>(inside.size(), b.shown), inside);
                EXPECT_NE(b.shown, canvas.At(0, 0));
            }
        },
        nullptr, {IDCANCEL});
}

// The logical palette the picker paints with on palette screens: the given colours, in order.
TEST(RealisePalette, HoldsTheColoursInOrder) {
    uint8_t colours[3 * 256];
    for (int i = 0; i < 3 * 256; ++i) colours[i] = static_cast<uint8_t>(i * 7 + 1);
    Canvas canvas(1, 1);
    HPALETTE palette = RealisePalette(canvas.dc(), colours, 256);
    PALETTEENTRY entries[256] = {};
    EXPECT_EQ(256u, GetPaletteEntries(palette, 0, 256, entries));
    SelectPalette(canvas.dc(), static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    DeleteObject(palette);
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = entries[i];
        EXPECT_EQ(RGB(colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]), RGB(e.peRed, e.peGreen, e.peBlue)) << i;
    }
}

}  // namespace
