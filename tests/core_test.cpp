// Small window-less pieces: joining paths, the recent directories, the order of the file list's rows, the main
// window's layout and the colour texts; then printed sample sheets: the footer codes and its owner, ellipsis
// fitting with fixed character widths, and the places of cells and pages.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/mainlayout.h"
#include "config/recentdirs.h"
#include "info/colourtext.h"
#include "info/registeredowner.h"
#include "lists/rowsort.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "samples/ellipsisfit.h"
#include "samples/pagefooter.h"
#include "samples/sheetlayout.h"

namespace {

const std::string kSep(1, kPlatPathSep);

TEST(Paths, JoinOnceAndRefuseWhatDoesNotFit) {
    const struct { std::string directory, name; size_t size; bool ok; std::string out; } cases[] = {
        {"C:" + kSep + "F", "a.ttf", 64, true, "C:" + kSep + "F" + kSep + "a.ttf"},
        {"C:" + kSep, "a.ttf", 64, true, "C:" + kSep + "a.ttf"}, {"", "a.ttf", 64, true, "a.ttf"},
        {"dir", "", 64, true, "dir" + kSep}, {"abc", "de", 7, true, "abc" + kSep + "de"},  // exactly fits
        {"abc", "def", 7, false, ""}, {"abc", "", 4, false, ""}, {"", "", 1, true, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.directory + "|" + c.name);
        std::vector<char> out(c.size + 1, '#');
        EXPECT_EQ(c.ok, JoinPath(out.data(), c.size, c.directory.c_str(), c.name.c_str()));
        EXPECT_EQ(c.out, out.data());
        EXPECT_EQ('#', out[c.size]) << "wrote past the buffer";
    }
    for (auto [text, size, want] : {std::tuple{std::string("abc"), 8, "abc" + kSep}, {"abc" + kSep, 8, "abc" + kSep},
                                    {"abc", 4, std::string("abc")}, {"", 4, std::string()}}) {
        char path[8] = {};
        text.copy(path, 7), AppendSeparator(path, size);
        EXPECT_EQ(want, path) << text << " in " << size;
    }
    for (const char* bare : {"a.ttf", "...", ".hidden", "x..y"}) EXPECT_TRUE(IsBareFileName(bare)) << bare;
    for (const char* other : {"", ".", "..", "C:x.ttf", "..\\x.ttf", "a/b", "\\\\server\\f"}) EXPECT_FALSE(IsBareFileName(other)) << other;
}

// Compares ignoring letter case: equal rows in the row order show whether their order is kept.
std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}
int CaseBlind(const char* a, const char* b) { return Lower(a).compare(Lower(b)); }

// The recent directories against a model made of a vector: every operation of a long random run leaves both the same.
TEST(RecentDirectories, KeepTheNineNewestOnceLikeTheModel) {
    RecentDirectories recent;
    std::vector<std::string> model;
    const char* paths[] = {"C:\\A", "c:\\a", "C:\\B", "D:\\", "d:\\", "fonts", "\\\\server\\share", "1:\\x",
                           "Z:\\Long Folder", "e:", "C:\\C", "C:\\D", "F:\\E", "G:\\F", "H:\\G", "I:\\H", ":\\x"};
    std::mt19937 rng(12);
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        if (rng() % 5 == 0) {
            const int index = static_cast<int>(rng() % 11) - 1;
            RemoveRecentDirectory(recent, index);
            if (index >= 0 && index < static_cast<int>(model.size())) model.erase(model.begin() + index);
        } else {
            const std::string path = paths[rng() % std::size(paths)];
            const bool kept = isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
            EXPECT_EQ(kept, AddRecentDirectory(recent, path.c_str()));
            if (kept) {
                auto found = std::find_if(model.begin(), model.end(), [&](auto& p) { return Lower(p) == Lower(path); });
                if (found != model.end()) model.erase(found);
                if (model.size() == 9) model.erase(model.begin());
                model.push_back(path);
            }
        }
        ASSERT_EQ(model, std::vector<std::string>(recent.paths, recent.paths + recent.count));
    }
    // A path longer than a menu entry holds is kept cut, terminated.
    const std::string longPath = "C:\\" + std::string(400, 'x');
    ASSERT_TRUE(AddRecentDirectory(recent, longPath.c_str()));
    EXPECT_EQ(longPath.substr(0, kRecentPathSize - 1), recent.paths[recent.count - 1]);
}

// Against the neighbour-swap passes done literally, on rows of every small count and on long ones.
TEST(SortRowsAroundDrives, EqualsTheSwapPassesOnGeneratedRows) {
    std::mt19937 rng(7);
    const char* pieces[] = {"a", "A", "b", "-", "[", "]", "1", "z", "e\xE9", ".ttf", " "};
    for (int round = 0; round < 600; ++round) {
        std::vector<std::string> rows(round < 200 ? round % 5 : 1 + rng() % 40);
        for (std::string& row : rows) {
            if (rng() % 6 == 0) row = std::string("[-") + static_cast<char>('a' + rng() % 26) + "-]";
            else for (unsigned k = 1 + rng() % 3; k > 0; --k) row += pieces[rng() % std::size(pieces)];
        }
        std::vector<std::string> want = rows;
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (size_t i = 0; i + 1 < want.size(); ++i) {
                if (IsDriveRow(want[i].c_str()) || IsDriveRow(want[i + 1].c_str())) continue;
                if (CaseBlind(want[i].c_str(), want[i + 1].c_str()) > 0) std::swap(want[i], want[i + 1]), swapped = true;
            }
        }
        std::vector<char> slots(rows.size() * kRowSlot, 0);
        auto* array = reinterpret_cast<char(*)[kRowSlot]>(slots.data());
        for (size_t i = 0; i < rows.size(); ++i) rows[i].copy(array[i], kRowSlot - 1);
        SortRowsAroundDrives(array, rows.size(), CaseBlind);
        ASSERT_EQ(want, std::vector<std::string>(array, array + rows.size())) << "round " << round;
    }
}

TEST(MainLayout, WorkedExampleAndInvariantsAtEverySize) {
    // 700 x 500: half 350, quarter (500 - 64) / 4 = 109. Ids not listed have no place.
    const std::vector<std::array<int, 5>> at700 = {
        {101, 8, 8, 294, 436},   {102, 8, 448, 72, 14},   {103, 8, 468, 80, 24},   {104, 88, 468, 80, 24},
        {105, 168, 468, 80, 24}, {106, 88, 447, 136, 14}, {107, 310, 117, 80, 24}, {108, 310, 145, 80, 24},
        {111, 398, 8, 294, 412}, {112, 478, 423, 136, 14}, {113, 558, 444, 80, 24}, {114, 398, 444, 80, 24},
        {115, 478, 444, 80, 24}, {116, 558, 468, 80, 24}, {117, 398, 468, 80, 24}, {118, 478, 468, 80, 24},
        {122, 398, 424, 80, 14}};
    std::vector<int> ids;
    for (int id = 0; id < 1100; ++id) {
        const ControlPlace p = MainControlPlace(id, 700, 500);
        if (p.x | p.y | p.width | p.height) ids.push_back(id);
        const auto row = std::find_if(at700.begin(), at700.end(), [&](const auto& r) { return r[0] == id; });
        EXPECT_EQ((row == at700.end() ? std::array{id, 0, 0, 0, 0} : *row), (std::array{id, p.x, p.y, p.width, p.height}));
    }
    // Every client size a 600 x 420 window or larger can have: inside the client area, no two controls
    // overlapping, the lists equally wide and the arrow buttons between them.
    for (int w = 576; w < 1700; w += 37) {
        for (int h = 361; h < 1300; h += 41) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            for (int a : ids) {
                const ControlPlace p = MainControlPlace(a, w, h);
                EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.width > 0 && p.x + p.width <= w && p.y + p.height <= h) << a;
                for (int b : ids) {
                    const ControlPlace q = MainControlPlace(b, w, h);
                    const bool apart = p.x + p.width <= q.x || q.x + q.width <= p.x || p.y + p.height <= q.y ||
                                       q.y + q.height <= p.y;
                    EXPECT_TRUE(a == b || apart) << a << " and " << b;
                }
            }
            const ControlPlace left = MainControlPlace(101, w, h), right = MainControlPlace(111, w, h);
            EXPECT_EQ(left.width, right.width);
            for (int arrow : {107, 108}) {
                const ControlPlace p = MainControlPlace(arrow, w, h);
                EXPECT_TRUE(p.x >= left.x + left.width && p.x + p.width <= right.x) << arrow;
                EXPECT_EQ(w / 2, p.x + p.width / 2);
            }
        }
    }
}

TEST(ColourText, DepthCountAndThousandsText) {
    const struct { int bits, planes; unsigned depth, count; } cases[] = {
        {1, 1, 1, 2}, {1, 4, 4, 16}, {8, 1, 8, 256}, {9, 1, 24, 512}, {16, 1, 24, 65536}, {24, 1, 24, 16777216},
        {8, 3, 24, 16777216}, {0, 1, 0, 1}, {8, 0, 0, 1}, {-8, 1, 0, 1}, {0x7FFFFFFF, 0x7FFFFFFF, 24, 16777216}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.planes << " planes");
        EXPECT_EQ(c.depth, ColourDepthOf(c.bits, c.planes));
        EXPECT_EQ(c.count, ColourCountOf(c.bits, c.planes));
    }
    const struct { unsigned n; const char* text; } numbers[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {10001, "10,001"}, {100000, "100,000"}, {4294967295u, "4,294,967,295"}};
    for (const auto& c : numbers) EXPECT_STREQ(c.text, ThousandsText(c.n)) << c.n;
}

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

SheetLayout A4(uint32_t columns, int vertRes = 3508) {
    SettingsRecord settings;
    ResetSettings(settings), settings.PaperColumns = columns;
    return LayOutSheet(settings, {300, 2479, vertRes});
}
std::array<int, 10> Cell(const SheetCell& c) {
    return {c.frame.left, c.frame.top, c.frame.right, c.frame.bottom, c.sample.x, c.sample.y, c.sampleWidth,
            c.title.x, c.title.y, c.endsPage};
}

// Defaults at 300 dpi on A4, 3 pixels a hundredth: margins 150, footer 48, sample 72, title 36, leading 15, padding
// 24. W = 2479 - 300 = 2179, H = 3508 - 348 = 3160, C = 2179 / 3 - 15 x 3 = 681, R = 72 + 36 + 15 + 8 = 131; after
// 24 rows y = 3144, 3144 + 131 >= 3160: 72 cells a page. Frames 666 x 112 (C - G, 72 + 36 + 4), sample width 640.
TEST(SheetLayout, PlacesCellsAndPagesByHand) {
    const SheetLayout l = A4(3);
    SheetPager pager{};
    for (const auto [x, y] : {std::pair{150, 150}, {831, 150}, {1512, 150}, {150, 281}})  // stepping: the model below
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

}  // namespace
