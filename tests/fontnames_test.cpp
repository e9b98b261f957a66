// The TrueType reader: which name wins, how it is decoded, what a damaged
// file gives, and agreement with a straightforward model on random fonts.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <direct.h>
#define chdir _chdir
#else
#include <unistd.h>
#endif

#include "platform/platform.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"

namespace {

// The reader's outputs, with buffers prefilled so that a missing terminator shows.
std::tuple<bool, std::string, std::string> ReadBytes(const Bytes& font, const std::string& name = "font.ttf") {
    static const std::string dir = TempDir();
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    const std::string path = JoinPath(dir, name);
    if (name == "font.ttf") EXPECT_TRUE(WriteFile(path, font));
    memset(display, 'x', sizeof display), memset(notice, 'x', sizeof notice);
    return {ReadFontNames(display, notice, path.c_str()), display, notice};  // braces: read first
}

// The texts the reader shares with the model: which record wins and the marks' ANSI bytes.
TEST(ReadFontNames, ChoosesAndDecodesNamesAsLaidDown) {
    const std::vector<uint16_t> marks = {0x2013, 0x2014, 0x2017, 0x2018, 0x2019, 0x201C, 0x201D, 0x2020,
                                         0x2021, 0x2022, 0x2122, 0x201A, 0x2026, 0x2030, 0x0152, 0x00E9, 0x2012, 0x2123};
    const struct { const char* what; std::vector<NameRec> records; bool ok; std::string display, notice; } cases[] = {
        {"Microsoft wins over Macintosh", {Mac(4, "Mac Name"), Ms(4, "Win Name")}, true, "Win Name", ""},
        {"Macintosh alone, raw bytes to a zero", {Mac(4, std::string("Caf\xE9 \x8E\0cd", 9))}, true, "Caf\xE9 \x8E", ""},
        {"ISO wins over Macintosh", {Mac(4, "Mac"), {2, 0, 0, 4, "Iso"}}, true, "Iso", ""},
        {"platform 5 counts as Microsoft, copied raw", {Ms(4, "Win"), {5, 0, 0, 4, "Five"}}, true, "Win", ""},
        {"platform 5 alone", {Mac(4, "Mac"), {5, 0, 0, 4, "Five"}}, true, "Five", ""},
        {"odd Microsoft length drops the last byte", {{3, 1, 0x409, 4, Utf16Latin1("Abc") + "X"}}, true, "Abc", ""},
        {"Microsoft name cut to 512 characters", {Ms(4, std::string(1500, 'L'))}, true, std::string(512, 'L'), ""},
        {"Macintosh name cut to 1024 bytes", {Mac(4, std::string(1500, 'L'))}, true, std::string(1024, 'L'), ""},
        {"typographic marks, their neighbours, low bytes", {{3, 1, 0x409, 4, Utf16Units(marks)}}, true,
         "\x96\x97\x5F\x91\x92\x93\x94\x86\x87\x95\x99\x82\x85\x89\x52\xE9\x12\x23", ""},
        {"Unicode platform with a low first character reads empty", {{0, 3, 0, 4, Utf16Latin1("Uni")}}, false, "", ""},
        {"first non-empty record of a platform wins", {Ms(4, ""), Ms(4, "Second"), Ms(4, "Third")}, true, "Second", ""},
        {"Macintosh trademark beats Microsoft copyright", {Mac(7, "Mac TM"), Ms(0, "Win (c)"), Ms(4, "Win")}, true,
         "Win", "Mac TM"},
        {"copyright before trademark in table order", {Ms(0, "Copy"), Ms(4, "N"), Ms(7, "TM")}, true, "N", "Copy"},
        {"empty copyright falls to trademark", {Ms(0, ""), Ms(4, "N"), Ms(7, "TM")}, true, "N", "TM"},
        {"no full name at all", {Ms(1, "Family"), Ms(0, "Copy")}, false, "", "Copy"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::tuple(c.ok, c.display, c.notice), ReadBytes(BuildFont(c.records))) << c.what;
    EXPECT_EQ(0x99, MapUnicodeToAnsi(0x0099));
    EXPECT_EQ(std::tuple(false, std::string(), std::string()), ReadBytes("", "missing.ttf"));
    // String storage follows the records whatever the header says; a font smaller than the reader's window,
    // its last string ending the file, costs a single read.
    NameTableSpec spec{{Ms(0, "Notice"), Ms(4, "Right Place")}, false, 200};
    PlatResetCounts();
    EXPECT_EQ(std::tuple(true, std::string("Right Place"), std::string("Notice")),
              ReadBytes(BuildSfnt({{"name", BuildNameTable(spec)}})));
    EXPECT_EQ(1u, PlatCallCount(PlatOp::Read));
}

// Random fonts, some large enough to span many reads and some damaged at
// random (cut short, a byte changed, a table or record count or the naming
// table's place made huge, string places and lengths anywhere): the reader
// must agree with the model on every output.
TEST(ReadFontNames, AgreesWithModelOnRandomFonts) {
    std::mt19937 rng(20261205);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int iteration = 0; iteration < 800; ++iteration) {
        SCOPED_TRACE(iteration);
        NameTableSpec spec;
        const uint16_t ids[] = {0, 1, 2, 4, 4, 7, 4, 9};
        for (int r = pick(6) == 0 ? 200 + pick(700) : pick(12); r > 0; --r) {
            NameRec rec{static_cast<uint16_t>(pick(6)), 1, 0x409, ids[pick(8)], {}};
            for (int i = pick(10) == 0 ? 900 + pick(400) : pick(20); i > 0; --i)
                rec.text.push_back(static_cast<char>(pick(4) == 0 ? 0 : 32 + pick(224)));
            if (pick(40) == 0) rec.offsetOverride = pick(0x10000);
            if (pick(40) == 0) rec.lengthOverride = pick(0x10000);
            spec.records.push_back(rec);
        }
        spec.shareEqualStrings = pick(2);
        if (pick(10) == 0) spec.stringOffsetOverride = pick(0x10000);
        std::vector<SfntTable> tables;
        for (int t = 0, filler = pick(5) == 0 ? 520 + pick(200) : pick(6); t < filler; ++t)
            tables.push_back({"t" + std::to_string(t % 1000), Bytes(pick(50), 'f')});
        const int index = pick(static_cast<int>(tables.size()) + 1);
        tables.insert(tables.begin() + index, {pick(30) == 0 ? "NAME" : "name", BuildNameTable(spec)});
        Bytes font = BuildSfnt(tables);
        if (pick(8) == 0) font[std::array<size_t, 3>{4, 20u + 16 * index, ParseSfnt(font)[index].offset + 2u}[pick(3)]] = '\x90';
        if (pick(4) == 0) font.resize(static_cast<size_t>(pick(static_cast<int>(font.size()) + 1)));
        if (pick(20) == 0 && font.size() > 16) font[12 + pick(static_cast<int>(font.size()) - 12)] ^= 0x5A;
        const ModelNames want = ModelReadFontNames(font);
        ASSERT_EQ(std::tuple(want.ok, want.display, want.notice), ReadBytes(font));
    }
}

// Hand cases, then random text against the rule: CR becomes CR LF, a tab a space, other controls go, and
// characters are kept one by one while they fit with the terminator.
TEST(NormalizeNoticeText, PreparesTextForAMultiLineEdit) {
    auto normalized = [](const std::string& in, size_t capacity) {
        std::vector<char> buffer(std::max(capacity, in.size() + 1) + 8, '#');
        memcpy(buffer.data(), in.c_str(), in.size() + 1);
        NormalizeNoticeText(buffer.data(), capacity);
        EXPECT_EQ('#', buffer[std::max(capacity, in.size() + 1)]) << "wrote past the buffer";
        return std::string(buffer.data());
    };
    const struct { std::string in; size_t capacity; std::string out; } cases[] = {
        {"Line one\r\nLine two\nrun\ton\x01(c)\x1F \xA9\xE9\rx", 1024, "Line one\r\nLine tworun on(c) \xA9\xE9\r\nx"},
        {"abcdefghij", 8, "abcdefg"}, {"ab\r", 4, "ab\r"}, {"ab\r", 5, "ab\r\n"}, {"abc", 1, ""}};
    for (const auto& c : cases) EXPECT_EQ(c.out, normalized(c.in, c.capacity)) << c.in << " in " << c.capacity;
    std::mt19937 rng(3);
    const char alphabet[] = "a\r\n\t\x01\x1f \xe9";
    for (int round = 0; round < 2000; ++round) {
        std::string in, want;
        for (int n = rng() % 12; n > 0; --n) in += alphabet[rng() % (sizeof alphabet - 1)];
        const size_t capacity = 1 + rng() % 16;
        for (char c : in) {
            for (char out : c == '\r' ? std::string("\r\n") : c == '\t' ? " " : std::string(c < 32 && c >= 0 ? 0 : 1, c))
                if (want.size() + 1 < capacity) want += out;
        }
        ASSERT_EQ(want, normalized(in, capacity)) << testing::PrintToString(in) << " in " << capacity;
    }
}

TEST(PathInCurrentDirectory, JoinsTheCurrentDirectoryOnce) {
    char saved[kPlatMaxPath + 64], here[kPlatMaxPath + 64];
    ASSERT_NE(nullptr, getcwd(saved, sizeof saved));
    ASSERT_EQ(0, chdir(TempDir().c_str()));
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    EXPECT_EQ(std::string(here) + kPlatPathSep + "Long Font Name.TTF", PathInCurrentDirectory("Long Font Name.TTF"));
    // Too long for a path: nothing, rather than the name of another file.
    EXPECT_STREQ("", PathInCurrentDirectory(std::string(kPlatMaxPath, 'n').c_str()));
    ASSERT_EQ(0, chdir(saved));
}

}  // namespace
