// Printed sample sheets: the footer codes and its owner, ellipsis fitting with fixed character widths, and the
// places of cells and pages, by hand and against a small stepping model.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <random>

#include "info/registeredowner.h"
#include "samples/ellipsisfit.h"
#include "samples/pagefooter.h"
#include "samples/sheetlayout.h"

TEST(ExpandPageFooter, ReplacesTheCodesWithinTheLengthLimit) {
    static int ownerCalls;
    const FooterOwner owner{[](void*, char* out, size_t size) { ++ownerCalls, snprintf(out, size, "Ann"); }, nullptr};
    const std::string x(250, 'x'), y(258, 'y');  // 250 + 24 is too long, 250 + 9 fits, then 259 + 1 not
    const struct { std::string pattern; int hour, minute, second, ownerCalls; std::string expected; } cases[] = {
        {"Page %P printed on %S", 9, 7, 3, 0, "Page 7 printed on Sat Dec 05 09:45:00 2026"},
        {"%a|%d|%n|%p|%s|%t|%N", 9, 7, 3, 1, "Quillmere|Sat Dec 05 2026|Ann|7|Sat Dec 05 09:45:00 2026|9:07:03 AM|Ann"},
        {"100%% done%q%", 0, 0, 0, 0, "100% doneq"}, {"", 0, 0, 0, 0, ""}, {x + "%S%A!", 0, 0, 0, 0, x + "Quillmere"},
        {y + "ab", 0, 0, 0, 0, y + "a"}, {"%T", 12, 30, 0, 0, "12:30:00 PM"}, {"%T", 0, 5, 0, 0, "12:05:00 AM"}};
    for (const auto& c : cases) {
        char out[kPageFooterSize];
        const FooterClock clock{"Sat Dec 05 09:45:00 2026\n", c.hour, c.minute, c.second};
        const size_t length = ExpandPageFooter(c.pattern.c_str(), 7, clock, owner, out);
        EXPECT_EQ(std::tuple(std::string(out), length, std::exchange(ownerCalls, 0)),
                  std::tuple(c.expected, c.expected.size(), c.ownerCalls)) << c.pattern;
    }
}

// Registry values as "W name" or "NT name" by key; a value not there reads as a failure that scribbles on the buffer.
TEST(ReadFooterOwner, FallsBackToTheNTKeyWhenAValueIsEmpty) {
    using Values = std::map<std::string, std::string>;
    const std::string o = "RegisteredOwner", g = "RegisteredOrganization";
    const std::pair<Values, std::string> cases[] = {
        {{{"W " + o, "Ann"}, {"W " + g, "Acme"}, {"NT " + o, "Bob"}}, "Ann"}, {{{"W " + o, "Ann"}}, "Ann"}, {{}, ""},
        {{{"W " + o, "Ann"}, {"NT " + o, "Bob"}, {"NT " + g, "Corp"}}, "Bob"}, {{{"W " + o, "A"}, {"NT " + o, ""}}, ""},
        {{{"W " + o, ""}, {"W " + g, "Acme"}, {"NT " + g, "Corp"}}, "Corp"}};
    for (const auto& [values, expected] : cases) {
        RegistryReader reader{[](void* context, const char* key, const char* value, char* out, size_t size) {
            const std::string k = key, where = k == kWindowsVersionKey ? "W " : k == kWindowsNTVersionKey ? "NT " : "";
            const auto found = static_cast<const Values*>(context)->find(where + value);
            const bool read = found != static_cast<const Values*>(context)->end();
            return snprintf(out, size, "%s", read ? found->second.c_str() : "junk"), read;
        }, const_cast<Values*>(&values)};
        char footer[kFooterOwnerSize];
        ReadFooterOwner(&reader, footer, sizeof footer);
        EXPECT_EQ(footer, expected);
    }
}

TEST(FitWithEllipsis, KeepsTheLongestPrefixThatFitsWithThePeriods) {
    const TextMeasure measure{[](void*, const char* text, size_t length) {  // "." 2 pixels, "i" 3, "W" 20, others 10
        int width = 0;
        for (size_t i = 0; i < length; ++i) width += text[i] == '.' ? 2 : text[i] == 'i' ? 3 : text[i] == 'W' ? 20 : 10;
        return width;
    }, nullptr};
    const struct { std::string text; int maxWidth; size_t size; std::string expected; } cases[] = {
        {"abc", 30, 4, "abc"},   {"abcd", 35, 8, "ab..."}, {"abcd", 36, 7, "abc..."}, {"WiW", 43, 4, "WiW"},
        {"WiW", 42, 6, "Wi..."}, {"abcd", 16, 5, "a..."},  {"abcd", 15, 5, "..."},    {"", -1, 4, "..."},
        {"abcd", 39, 6, "ab..."}, {"abcd", 5, 3, ".."},    {"abcdefgh", 80, 4, "abc"}};  // the last three cut
    for (const auto& c : cases) {  // buffers of exactly size bytes: AddressSanitizer sees a write past them
        const std::unique_ptr<char[]> buffer(new char[c.size]);
        memcpy(buffer.get(), c.text.c_str(), std::min(c.size, c.text.size() + 1));
        const size_t length = FitWithEllipsis(buffer.get(), c.size, c.maxWidth, measure);
        EXPECT_EQ(std::pair(std::string(buffer.get()), length), std::pair(c.expected, c.expected.size())) << c.text;
    }
}

static SheetLayout A4(uint32_t columns, int vertRes = 3508) {
    SettingsRecord settings;
    ResetSettings(settings), settings.PaperColumns = columns;
    return LayOutSheet(settings, {300, 2479, vertRes});
}
static std::array<int, 10> Cell(const SheetCell& c) {
    return {c.frame.left, c.frame.top, c.frame.right, c.frame.bottom, c.sample.x, c.sample.y, c.sampleWidth,
            c.title.x, c.title.y, c.endsPage};
}

// Defaults at 300 dpi on A4, 3 pixels a hundredth: margins 150, footer 48, sample 72, title 36, leading 15, padding
// 24. W = 2479 - 300 = 2179, H = 3508 - 348 = 3160, C = 2179 / 3 - 15 x 3 = 681, R = 72 + 36 + 15 + 8 = 131; after
// 24 rows y = 3144, 3144 + 131 >= 3160: 72 cells a page. Frames 666 x 112 (C - G, 72 + 36 + 4), sample width 640.
TEST(SheetLayout, PlacesCellsAndPagesByHand) {
    const SheetLayout l = A4(3);
    SheetPager pager{};
    for (const auto [x, y] : {std::pair{150, 150}, {831, 150}, {1512, 150}, {150, 281}, {831, 281}, {1512, 281},
                              {150, 412}})
        EXPECT_EQ(Cell(PlaceSheetCell(l, pager)),
                  (std::array{x, y, x + 666, y + 112, x + 24, y + 4, 640, x + 24, y + 72, 0}));
    const SheetPageEnd end = FinishSheetPage(l, pager);
    EXPECT_EQ((std::array{int(end.page), end.ruleFrom.x, end.ruleFrom.y, end.ruleTo.x, end.ruleTo.y, end.footer.x,
                          end.footer.y, end.footerWidth}), (std::array{1, 150, 3310, 2329, 3310, 174, 3310, 2179}));
    EXPECT_EQ(std::pair(StartsNewJob(SheetPager{}), StartsNewJob(pager)), std::pair(false, true));
    EXPECT_EQ(Cell(PlaceSheetCell(l, pager))[1] + StartsNewJob(pager), 150);
    // At VERTRES 450 H = 102 < R and at 479 H = R: every cell has a page of its own; at 480 a page holds a row.
    const struct { uint32_t columns; int vertRes, cells, pages; } counts[] = {{3, 3508, 0, 0}, {3, 3508, 7, 1},
        {3, 3508, 72, 1}, {3, 3508, 73, 2}, {3, 3508, 145, 3}, {3, 450, 4, 4}, {3, 479, 4, 4}, {3, 480, 3, 1},
        {3, 480, 4, 2}, {0, 3508, 25, 2}};  // 0 columns from a file: one cell a row
    for (const auto& c : counts) EXPECT_EQ(SheetPageCount(A4(c.columns, c.vertRes), c.cells), c.pages) << c.cells;
    // Measures told apart, a pixel a hundredth; a width below 0 divided unsigned; a 64-bit product; 0 columns' gap.
    const SettingsRecord s{.BottomPrintMargin = 40, .LeftPrintMargin = 10, .PaperColumns = 2, .PaperLeading = 9,
                           .PaperLeftPadding = 7, .PaperSampleSize = 25, .PaperTitleSize = 11, .TopPrintMargin = 30,
                           .RightPrintMargin = 20};  // W = 850 - 30, H = 1100 - 86, C = 820 / 2 - 9 x 2, R = 53
    const SheetLayout d = LayOutSheet(s, {100, 850, 1100});
    EXPECT_EQ((std::array{d.leftMargin, d.topMargin, d.width, d.bodyHeight, d.columnWidth, d.gap, d.rowHeight,
                          d.leftPadding, d.sampleHeight, d.titleHeight, d.frameCorner, d.footerHeight,
                          LayOutSheet(s, {100, 20, 1100}).columnWidth, PrinterPixels(4000000000u, 600), A4(0).gap}),
              (std::array{10, 30, 820, 1014, 392, 9, 53, 7, 25, 11, 6, 16, 2147483625, -1769803776, 15}));
}

// Random measures, stepped cell by cell against a row-and-column count (offsets within a cell: by hand above).
TEST(SheetLayout, StepsLikeASimpleModel) {
    std::mt19937 random(5);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 3000; ++round) {
        SheetLayout l{};
        l.leftMargin = pick(0, 900), l.topMargin = pick(0, 900), l.columnWidth = pick(-90, 900);
        l.rowHeight = pick(1, 900), l.bodyHeight = pick(-90, 9000), l.columns = pick(0, 5);
        SheetPager pager{};
        for (int i = 0, column = 0, row = 0; i < 40; ++i) {
            const int x = l.leftMargin + column * l.columnWidth, y = l.topMargin + row * l.rowHeight;
            column = l.columns ? (column + 1) % l.columns : 0, row += column == 0;
            const bool ends = (row + 1) * l.rowHeight >= l.bodyHeight;
            const std::array<int, 10> cell = Cell(PlaceSheetCell(l, pager));
            ASSERT_EQ((std::array{cell[0], cell[1], cell[9]}), (std::array{x, y, int(ends)})) << round << " " << i;
            if (ends) row = 0, FinishSheetPage(l, pager);
        }
    }
}
