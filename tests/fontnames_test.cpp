// The TrueType reader: which name wins, how it is decoded, what a damaged
// file gives, and agreement with a straightforward model on random fonts.
#include <gtest/gtest.h>

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

struct Names {
    bool ok;
    std::string display, notice;
};

Names ReadNames(const std::string& path) {
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    memset(display, 'x', sizeof display);
    memset(notice, 'x', sizeof notice);
    bool ok = ReadFontNames(display, notice, path.c_str());
    return {ok, display, notice};
}

Names ReadBytes(const Bytes& font) {
    static const std::string dir = TempDir();
    const std::string path = JoinPath(dir, "font.ttf");
    EXPECT_TRUE(WriteFile(path, font));
    return ReadNames(path);
}

NameRec Ms(uint16_t id, const std::string& latin1) { return {3, 1, 0x409, id, Utf16Latin1(latin1)}; }
NameRec Mac(uint16_t id, const std::string& bytes) { return {1, 0, 0, id, bytes}; }

struct ChoiceCase {
    const char* what;
    std::vector<NameRec> records;
    bool ok;
    std::string display, notice;
};

TEST(ReadFontNames, ChoosesAndDecodesNamesAsLaidDown) {
    std::vector<uint16_t> marks = {0x2013, 0x2014, 0x2017, 0x2018, 0x2019, 0x201C, 0x201D, 0x2020,
                                   0x2021, 0x2022, 0x2122, 0x201A, 0x2026, 0x2030, 0x0152, 0x00E9};
    const std::string long1500(1500, 'L');
    const ChoiceCase cases[] = {
        {"Microsoft wins over Macintosh", {Mac(4, "Mac Name"), Ms(4, "Win Name")}, true, "Win Name", ""},
        {"Macintosh alone, raw bytes", {Mac(4, "Caf\xE9 \x8E")}, true, "Caf\xE9 \x8E", ""},
        {"ISO wins over Macintosh", {Mac(4, "Mac"), {2, 0, 0, 4, "Iso"}}, true, "Iso", ""},
        {"platform 5 counts as Microsoft, copied raw", {Ms(4, "Win"), {5, 0, 0, 4, "Five"}}, true, "Win", ""},
        {"platform 5 alone", {Mac(4, "Mac"), {5, 0, 0, 4, "Five"}}, true, "Five", ""},
        {"odd Microsoft length drops the last byte",
         {{3, 1, 0x409, 4, Utf16Latin1("Abc") + "X"}, Mac(2, "Y")},
         true,
         "Abc",
         ""},
        {"Microsoft name cut to 512 characters", {Ms(4, long1500)}, true, std::string(512, 'L'), ""},
        {"Macintosh name cut to 1024 bytes", {Mac(4, long1500)}, true, std::string(1024, 'L'), ""},
        {"typographic marks and low bytes",
         {{3, 1, 0x409, 4, Utf16Units(marks)}},
         true,
         "\x96\x97\x5F\x91\x92\x93\x94\x86\x87\x95\x99\x82\x85\x89\x52\xE9",
         ""},
        {"Unicode platform with a low first character reads empty",
         {{0, 3, 0, 4, Utf16Latin1("Uni")}},
         false,
         "",
         ""},
        {"first non-empty record of a platform wins", {Ms(4, ""), Ms(4, "Second"), Ms(4, "Third")}, true, "Second", ""},
        {"embedded zero ends a raw name", {Mac(4, std::string("Ab\0cd", 5))}, true, "Ab", ""},
        {"Macintosh trademark beats Microsoft copyright",
         {Mac(7, "Mac TM"), Ms(0, "Win (c)"), Ms(4, "Win")},
         true,
         "Win",
         "Mac TM"},
        {"copyright before trademark in table order", {Ms(0, "Copy"), Ms(4, "N"), Ms(7, "TM")}, true, "N", "Copy"},
        {"empty copyright falls to trademark", {Ms(0, ""), Ms(4, "N"), Ms(7, "TM")}, true, "N", "TM"},
        {"no full name at all", {Ms(1, "Family"), Ms(0, "Copy")}, false, "", "Copy"},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        Names got = ReadBytes(BuildFont(c.records));
        EXPECT_EQ(c.ok, got.ok);
        EXPECT_EQ(c.display, got.display);
        if (c.ok) EXPECT_EQ(c.notice, got.notice);
    }
    // Neighbours of the marks are not marks.
    EXPECT_EQ(0x12, MapUnicodeToAnsi(0x2012));
    EXPECT_EQ(0x23, MapUnicodeToAnsi(0x2123));
    EXPECT_EQ(0x99, MapUnicodeToAnsi(0x0099));
}

TEST(ReadFontNames, StringStorageFollowsTheRecordsWhateverTheHeaderSays) {
    NameTableSpec spec;
    spec.records = {Ms(0, "Notice"), Ms(4, "Right Place")};
    spec.stringOffsetOverride = 200;
    Names got = ReadBytes(BuildSfnt({{"name", BuildNameTable(spec)}}));
    EXPECT_TRUE(got.ok);
    EXPECT_EQ("Right Place", got.display);
    EXPECT_EQ("Notice", got.notice);
}

TEST(ReadFontNames, DamagedFilesGiveFalseAndAnEmptyName) {
    const Bytes good = BuildFont({Mac(4, "Mac"), Ms(0, "Copy"), Ms(4, "Good Name")});
    ASSERT_TRUE(ReadBytes(good).ok);
    const auto tables = ParseSfnt(good);
    const uint32_t nameOffset = tables[4].offset;

    std::vector<std::pair<const char*, Bytes>> damaged;
    damaged.push_back({"empty file", Bytes()});
    damaged.push_back({"shorter than the offset table", good.substr(0, 11)});
    damaged.push_back({"directory cut short", good.substr(0, 12 + 16 * 4 + 7)});
    damaged.push_back({"naming table header cut", good.substr(0, nameOffset + 5)});
    // The Microsoft full name is the last string of the naming table.
    damaged.push_back({"string runs past the end", good.substr(0, nameOffset + tables[4].length - 2)});
    Bytes upper = good;
    upper.replace(12 + 16 * 4, 4, "NAME");
    damaged.push_back({"upper-case NAME tag", upper});
    Bytes noName = good;
    noName.replace(12 + 16 * 4, 4, "nam ");
    damaged.push_back({"no naming table", noName});
    Bytes farTable = good;
    PatchU32(farTable, 12 + 16 * 4 + 8, 0x90000000u);
    damaged.push_back({"naming table beyond 2 GiB", farTable});
    Bytes manyTables = good.substr(0, 12);
    PatchU16(manyTables, 4, 0xFFFF);
    damaged.push_back({"huge table count", manyTables});
    Bytes manyRecords = good;
    PatchU16(manyRecords, nameOffset + 2, 0xFFFF);
    damaged.push_back({"huge record count", manyRecords});
    // A Macintosh full name is read before the Microsoft one is known, so a
    // broken Macintosh string fails the whole file.
    Bytes badMac = good;
    PatchU16(badMac, nameOffset + 6 + 10, 0xFFF0);
    damaged.push_back({"Macintosh string outside the file", badMac});

    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        Names got = ReadBytes(bytes);
        EXPECT_FALSE(got.ok);
        EXPECT_EQ("", got.display);
    }
    EXPECT_FALSE(ReadNames(JoinPath(TempDir(), "missing.ttf")).ok);

    // A bad offset on a record that is never read does not matter.
    Bytes badStyle = BuildFont({Ms(2, "Bold"), Ms(4, "Still Fine")});
    PatchU16(badStyle, ParseSfnt(badStyle)[4].offset + 6 + 10, 0xFFF0);
    EXPECT_EQ("Still Fine", ReadBytes(badStyle).display);
}

// Random fonts, some large enough to span many reads and some damaged at
// random: the reader must agree with the model on every output.
TEST(ReadFontNames, AgreesWithModelOnRandomFonts) {
    std::mt19937 rng(20261205);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::string dir = TempDir();
    const std::string path = JoinPath(dir, "random.ttf");
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    for (int iteration = 0; iteration < 800; ++iteration) {
        SCOPED_TRACE(iteration);
        NameTableSpec spec;
        const int records = pick(6) == 0 ? 200 + pick(700) : pick(12);
        const uint16_t ids[] = {0, 1, 2, 4, 4, 7, 4, 9};
        for (int r = 0; r < records; ++r) {
            NameRec rec{static_cast<uint16_t>(pick(6)), 1, 0x409, ids[pick(8)], {}};
            const int length = pick(10) == 0 ? 900 + pick(400) : pick(20);
            for (int i = 0; i < length; ++i) rec.text.push_back(static_cast<char>(pick(4) == 0 ? 0 : 32 + pick(224)));
            if (pick(40) == 0) rec.offsetOverride = pick(0x10000);
            if (pick(40) == 0) rec.lengthOverride = pick(0x10000);
            spec.records.push_back(rec);
        }
        spec.shareEqualStrings = pick(2);
        if (pick(10) == 0) spec.stringOffsetOverride = pick(0x10000);
        std::vector<SfntTable> tables;
        const int filler = pick(5) == 0 ? 520 + pick(200) : pick(6);
        for (int t = 0; t < filler; ++t) tables.push_back({"t" + std::to_string(t % 1000), Bytes(pick(50), 'f')});
        tables.insert(tables.begin() + pick(static_cast<int>(tables.size()) + 1),
                      {pick(30) == 0 ? "NAME" : "name", BuildNameTable(spec)});
        Bytes font = BuildSfnt(tables);
        if (pick(4) == 0) font.resize(static_cast<size_t>(pick(static_cast<int>(font.size()) + 1)));
        if (pick(20) == 0 && font.size() > 16) font[12 + pick(static_cast<int>(font.size()) - 12)] ^= 0x5A;

        ASSERT_TRUE(WriteFile(path, font));
        const ModelNames want = ModelReadFontNames(font);
        const bool ok = ReadFontNames(display, notice, path.c_str());
        ASSERT_EQ(want.ok, ok);
        ASSERT_EQ(want.display, display);
        ASSERT_EQ(want.notice, notice);
    }
}

TEST(NormalizeNoticeText, PreparesTextForAMultiLineEdit) {
    struct Case {
        const char* what;
        std::string in;
        size_t capacity;
        std::string out;
    } cases[] = {
        {"CR LF keeps its line break", "Line one\r\nLine two", 1024, "Line one\r\nLine two"},
        {"bare CR becomes CR LF", "a\rb", 1024, "a\r\nb"},
        {"LF alone runs the lines together", "Line one\nLine two", 1024, "Line oneLine two"},
        {"tab becomes one space", "a\tb", 1024, "a b"},
        {"other controls dropped, high bytes kept", "\x01(c)\x1F 2026 \xA9\xE9", 1024, "(c) 2026 \xA9\xE9"},
        {"cut to fit with its terminator", "abcdefghij", 8, "abcdefg"},
        {"CR at the edge keeps what fits", "ab\r", 4, "ab\r"},
        {"CR LF pairs and a last CR", "a\r\nb\rc\r", 1024, "a\r\nb\r\nc\r\n"},
        {"capacity one leaves nothing", "abc", 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<char> buffer(std::max(c.capacity, c.in.size() + 1) + 8, '#');
        memcpy(buffer.data(), c.in.c_str(), c.in.size() + 1);
        NormalizeNoticeText(buffer.data(), c.capacity);
        EXPECT_EQ(c.out, std::string(buffer.data()));
        if (c.capacity < c.in.size() + 1) EXPECT_EQ('#', buffer[c.in.size() + 1]);
    }
}

TEST(PathInCurrentDirectory, JoinsTheCurrentDirectoryOnce) {
    char saved[kPlatMaxPath + 64];
    ASSERT_NE(nullptr, getcwd(saved, sizeof saved));
    ASSERT_EQ(0, chdir(TempDir().c_str()));
    char here[kPlatMaxPath + 64];
    ASSERT_NE(nullptr, getcwd(here, sizeof here));
    EXPECT_EQ(std::string(here) + kPlatPathSep + "Long Font Name.TTF", PathInCurrentDirectory("Long Font Name.TTF"));
    // Too long for a path: nothing, rather than the name of another file.
    EXPECT_STREQ("", PathInCurrentDirectory(std::string(kPlatMaxPath, 'n').c_str()));
    ASSERT_EQ(0, chdir(saved));
}

}  // namespace
