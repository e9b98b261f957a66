// Small window-less pieces: joining paths, the recent directories, the
// order of the file list's rows and the main window's layout, each checked
// against a small model of its own or a case worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/mainlayout.h"
#include "config/recentdirs.h"
#include "lists/rowsort.h"
#include "platform/paths.h"
#include "platform/platform.h"

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

// The recent directories against a model made of a vector: every
// operation of a long random run leaves both the same.
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
    // Every client size a 600 x 420 window or larger can have: inside the
    // client area, no two controls overlapping, the lists equally wide and
    // the arrow buttons between them.
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

}  // namespace
