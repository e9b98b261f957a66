// The TrueType reader against a straightforward model on random and damaged fonts, and the naming-table rewrite:
// the bytes it leaves on disk, the backup protocol, damaged input, and a failure injected at every system call.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

namespace fs = std::filesystem;

// The reader's outputs, with buffers prefilled so that a missing terminator shows.
std::tuple<bool, std::string, std::string> NamesOf(const std::string& path) {
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    memset(display, 'x', sizeof display), memset(notice, 'x', sizeof notice);
    return {ReadFontNames(display, notice, path.c_str()), display, notice};  // braces: read first
}
std::tuple<bool, std::string, std::string> ReadBytes(const Bytes& font) {
    static const std::string path = JoinPath(TempDir(), "font.ttf");
    EXPECT_TRUE(WriteFile(path, font));
    return NamesOf(path);
}

// What random text seldom holds: names long enough to be cut, and the typographic marks' ANSI bytes. Which
// record wins is left to the model on random fonts below.
TEST(ReadFontNames, CutsLongNamesAndMapsTheMarks) {
    const std::vector<uint16_t> marks = {0x2013, 0x2014, 0x2017, 0x2018, 0x2019, 0x201C, 0x201D, 0x2020,
                                         0x2021, 0x2022, 0x2122, 0x201A, 0x2026, 0x2030, 0x0152, 0x00E9, 0x2012, 0x2123};
    const struct { const char* what; NameRec record; std::string display; } cases[] = {
        {"Microsoft name cut to 512 characters", Ms(4, std::string(1500, 'L')), std::string(512, 'L')},
        {"Macintosh name cut to 1024 bytes", Mac(4, std::string(1500, 'L')), std::string(1024, 'L')},
        {"typographic marks, their neighbours, low bytes", {3, 1, 0x409, 4, Utf16Units(marks)},
         "\x96\x97\x5F\x91\x92\x93\x94\x86\x87\x95\x99\x82\x85\x89\x52\xE9\x12\x23"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(true, c.display, std::string()), ReadBytes(BuildFont({c.record}))) << c.what;
    // String storage follows the records whatever the header says; a font smaller than the reader's window,
    // its last string ending the file, costs a single read.
    PlatResetCounts();
    EXPECT_EQ(std::tuple(true, std::string("Right Place"), std::string("Notice")),
              ReadBytes(BuildSfnt({{"name", BuildNameTable({{Ms(0, "Notice"), Ms(4, "Right Place")}, false, 200})}})));
    EXPECT_EQ(1u, PlatCallCount(PlatOp::Read));
}

// Random fonts, some large enough to span many reads and some damaged at random (cut short, a byte changed, a
// table or record count or the naming table's place made huge, string places and lengths anywhere): the reader
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
        const ParsedTable name = ParseSfnt(font)[index];
        if (pick(8) == 0) font.resize(name.offset + name.length - 1);  // the naming table's last byte missing
        if (pick(8) == 0) font[std::array<size_t, 3>{4, 20u + 16 * index, ParseSfnt(font)[index].offset + 2u}[pick(3)]] = '\x90';
        if (pick(4) == 0) font.resize(static_cast<size_t>(pick(static_cast<int>(font.size()) + 1)));
        if (pick(20) == 0 && font.size() > 16) font[12 + pick(static_cast<int>(font.size()) - 12)] ^= 0x5A;
        const ModelNames want = ModelReadFontNames(font);
        ASSERT_EQ(std::tuple(want.ok, want.display, want.notice), ReadBytes(font));
    }
}

// A failure at any call of the reader, its working memory's too, gives all the names or none.
TEST(ReadFontNames, FaultAtEveryCallGivesAllNamesOrNone) {
    const std::string path = JoinPath(TempDir(), "F.TTF");
    ASSERT_TRUE(WriteFile(path, BuildFont({Ms(0, "(c)"), Ms(4, "Full")})));
    const auto all = std::tuple(true, std::string("Full"), std::string("(c)")), none = std::tuple(false, std::string(), std::string());
    unsigned k = 0;
    do {
        SCOPED_TRACE(++k);
        PlatFailNth(PlatOp::Any, k);
        const auto names = NamesOf(path);
        EXPECT_TRUE(names == all || names == none);
    } while (PlatFaultFired());
    PlatFailNth(PlatOp::Any, 0);
    EXPECT_GT(k, 3u);
}

// Random text against the rule: CR becomes CR LF, a tab a space, other controls go, and characters are kept
// one by one while they fit with the terminator; without working memory the text stays as it is.
TEST(NormalizeNoticeText, PreparesTextForAMultiLineEdit) {
    auto normalized = [](const std::string& in, size_t capacity) {
        std::vector<char> buffer(std::max(capacity, in.size() + 1) + 8, '#');
        memcpy(buffer.data(), in.c_str(), in.size() + 1);
        NormalizeNoticeText(buffer.data(), capacity);
        EXPECT_EQ('#', buffer[std::max(capacity, in.size() + 1)]) << "wrote past the buffer";
        return std::string(buffer.data());
    };
    EXPECT_EQ("abc", normalized("abc", 0)) << "no room at all: nothing written";
    PlatFailNth(PlatOp::Alloc, 1);
    EXPECT_EQ("a\rb", normalized("a\rb", 16)) << "without working memory the text stays as it is";
    PlatFailNth(PlatOp::Any, 0);
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
    EXPECT_EQ((fs::current_path() / "Long Font Name.TTF").string(), PathInCurrentDirectory("Long Font Name.TTF"));
    // Too long for a path: nothing, rather than the name of another file.
    EXPECT_STREQ("", PathInCurrentDirectory(std::string(kPlatMaxPath, 'n').c_str()));
}

// Checks the file is laid out as a rewrite must leave it: tables in the old order, each on a 4-byte boundary
// with zero padding, right checksums, and every table but the naming table byte-identical to before.
void ExpectLaidOutLike(const Bytes& before, const Bytes& after) {
    EXPECT_EQ(before.substr(0, 12), after.substr(0, 12));
    const auto old = ParseSfnt(before), now = ParseSfnt(after);
    ASSERT_EQ(old.size(), now.size());
    uint64_t expectOffset = 12 + 16 * now.size();
    for (size_t i = 0; i < now.size(); ++i) {
        SCOPED_TRACE(now[i].tag);
        const uint32_t padded = (now[i].length + 3) & ~3u;
        EXPECT_EQ(std::tuple(old[i].tag, expectOffset, Checksum(now[i].data), now[i].length),
                  std::tuple(now[i].tag, uint64_t{now[i].offset}, now[i].checksum, uint32_t(now[i].data.size())));
        if (now[i].tag != "name") EXPECT_EQ(old[i].data, now[i].data);
        EXPECT_EQ(Bytes(padded - now[i].length, '\0'), after.substr(now[i].offset + now[i].length, padded - now[i].length));
        expectOffset += padded;
    }
    EXPECT_EQ(expectOffset, after.size());
}

struct FontFile { std::string dir = TempDir(), path = JoinPath(dir, "FOO.TTF"), backup = path + ".bak"; };

// Family and full names replaced on every platform, each record keeping its place and its own copy of its
// string, in record order (shared strings too), and an earlier backup replaced, then deleted.
TEST(RewriteFontName, ReplacesFamilyAndFullNamesOnEveryPlatform) {
    const std::vector<NameRec> many = {
        Mac(0, "(c) Mac"), Mac(1, "Old Family"), Mac(2, "Bold"), Mac(3, "Unique Mac"), Mac(4, "Old Family Bold"),
        Mac(6, "OldFamily-Bold"), Ms(0, "(c) Win"), Ms(1, "Old Family"), Ms(2, "Bold"), Ms(3, "Unique Win"),
        Ms(4, "Old Family Bold"), Ms(6, "OldFamily-Bold"), {3, 0, 0x409, 4, Utf16Latin1("Symbol Name")},
        {0, 3, 0, 1, Utf16Latin1("Uni Family")}};
    const std::vector<NameRec> shared = {Mac(1, "Same"), Mac(2, "Regular"), Mac(4, "Same"), Ms(1, "Same"),
                                         Ms(2, "Regular"), Ms(4, "Same"), Ms(17, "Regular")};
    const struct { NameTableSpec spec; std::string name; size_t size; } cases[] = {
        {{many}, "Test Sans", 360}, {{shared, true}, "Caf\xE9", 149},  // header, records, strings; 149 pads 3
        {{{Ms(1, "Fam"), Ms(4, "Fam Regular")}}, "", 30}};  // accepted: the font then has no full name to show
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FontFile f;
        Bytes before = BuildSfnt({{"head", Bytes(54, '\x01')}, {"name", BuildNameTable(c.spec)}, {"post", "POST"}});
        if (c.name.empty()) PatchU16(before, ParseSfnt(before)[1].offset, 1);  // the table's format is kept
        ASSERT_TRUE(WriteFile(f.path, before) && WriteFile(f.backup, "an old backup"));
        ASSERT_TRUE(RewriteFontName(c.name.c_str(), f.path.c_str()));
        EXPECT_FALSE(fs::exists(f.backup));
        const Bytes after = ReadFileBytes(f.path), table = ParseSfnt(after)[1].data;
        ExpectLaidOutLike(before, after);
        const auto& records = c.spec.records;
        EXPECT_EQ(std::tuple(c.name.empty() ? 1 : 0, records.size(), 6 + 12 * records.size(), c.size),
                  std::tuple(ReadU16(table, 0), size_t{ReadU16(table, 2)}, size_t{ReadU16(table, 4)}, table.size()));
        const auto names = ParseNameTable(table);
        ASSERT_EQ(records.size(), names.size());
        for (size_t i = 0, running = 0; i < names.size(); running += names[i++].length) {
            const NameRec& was = records[i];
            const bool renamed = was.nameId == 1 || was.nameId == 4;
            EXPECT_EQ(std::tuple(was.platform, was.encoding, was.language, was.nameId, running,
                                 !renamed ? was.text : was.platform == 3 ? Utf16Latin1(c.name) : c.name),
                      std::tuple(names[i].platform, names[i].encoding, names[i].language, names[i].nameId,
                                 size_t{names[i].offset}, names[i].text)) << i;
        }
    }
}

// Damaged input is refused and left as it was; a font without a naming table is laid out anew, its
// checksums made right.
TEST(RewriteFontName, RefusesDamagedFilesAndRelaysOthers) {
    const Bytes good = BuildFont({Ms(1, "Fam"), Ms(4, "Fam Regular")});
    const uint32_t name = ParseSfnt(good)[4].offset;
    auto patched = [&](size_t at, const Bytes& with) { return Bytes(good).replace(at, with.size(), with); };
    // The bytes after its directory read like a naming table's entry: only the directory counts.
    const Bytes none = "(no file)",
                noName = BuildSfnt({{"head", "name" + Bytes(50, 0)}, {"glyf", Bytes(13, 9)}, {"NAME", "odd"}});
    const struct { const char* what; Bytes before; std::string name; Bytes after; } cases[] = {
        {"string outside the naming table", patched(name + 6 + 12 + 10, Bytes("\1\0", 2)), "N", ""},
        {"records beyond the naming table", patched(name + 2, Bytes("\0\x28", 2)), "N", ""},
        {"table beyond the end of the file", good.substr(0, good.size() - 40), "N", ""},
        {"shorter than the offset table", good.substr(0, 9), "N", ""},
        {"new strings over 65535 bytes", BuildSfnt({{"name", BuildNameTable({std::vector(40, Ms(4, "x"))})}}),
         std::string(1000, 'N'), ""}, {"missing file", none, "N", ""},
        {"no naming table, a wrong checksum", Bytes(noName).replace(16, 4, "\xDE\xAD\xBE\xEF"), "N", noName}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FontFile f;
        if (c.before != none) ASSERT_TRUE(WriteFile(f.path, c.before));
        EXPECT_EQ(!c.after.empty(), RewriteFontName(c.name.c_str(), f.path.c_str()));
        EXPECT_EQ(c.after.empty() ? c.before : c.after, fs::exists(f.path) ? ReadFileBytes(f.path) : none);
        EXPECT_FALSE(fs::exists(f.backup));
    }
}

// A failure at any one system call of a rewrite never loses or half-writes the font: either nothing happened
// and no backup is left, or (when only a clean-up deletion failed: the first, of no old backup, or the last, of
// the backup) the rewrite is complete.
TEST(RewriteFontName, FaultAtEveryCallLeavesTheFontWhole) {
    FontFile f;
    const Bytes original = BuildFont({Mac(1, "Old"), Mac(4, "Old Regular"), Ms(0, "(c)"), Ms(1, "Old"), Ms(4, "Old Regular")});
    PlatResetCounts();
    ASSERT_TRUE(WriteFile(f.path, original) && RewriteFontName("New Name", f.path.c_str()));
    const unsigned calls = PlatCallCount(PlatOp::Any);
    const Bytes rewritten = ReadFileBytes(f.path);
    unsigned k = 0, outcomes[2] = {};
    do {  // until a run makes fewer calls than k
        SCOPED_TRACE(++k);
        ASSERT_TRUE(WriteFile(f.path, original));
        PlatFailNth(PlatOp::Any, k);
        const bool result = RewriteFontName("New Name", f.path.c_str());
        EXPECT_EQ(result ? rewritten : original, ReadFileBytes(f.path)) << "a missing file reads empty";
        EXPECT_TRUE(result ? !PlatFaultFired() || PlatFiredOp() == PlatOp::Delete : !fs::exists(f.backup));
        fs::remove(f.backup);
        outcomes[result] += PlatFaultFired();
    } while (PlatFaultFired());
    PlatFailNth(PlatOp::Any, 0);
    EXPECT_EQ(std::tuple(calls + 1, 2u, calls - 2), std::tuple(k, outcomes[1], outcomes[0]));
}

// Into another file: the source's bytes with the naming table a rewrite in place makes appended and
// its entry pointing there, over an empty, missing or longer file; none for damaged input; after a
// failure at any call, the source as it was and no font there.
TEST(RewriteFontNameInto, SourceWithTheNewNamingTableAppendedOrNoCopy) {
    FontFile f;
    const std::string dest = JoinPath(f.dir, "GLY1.tmp"), src = JoinPath(f.dir, "src.ttf");
    const Bytes good = BuildFont({Mac(1, "Old"), Ms(0, "(c)"), Ms(1, "Old"), Ms(4, "Old Regular")}) + "odd";
    ASSERT_TRUE(WriteFile(f.path, good) && RewriteFontName("New", f.path.c_str()));
    const ParsedTable name = ParseSfnt(ReadFileBytes(f.path))[4];  // directory entry at 12 + 16 x 4
    Bytes expected = good + Bytes(1, '\0');                         // padded to a multiple of 4
    PatchU32(expected, 80, Checksum(name.data)), PatchU32(expected, 84, uint32_t(expected.size()));
    PatchU32(expected, 88, name.length);
    expected += name.data + Bytes(-name.length % 4, '\0');
    const Bytes none = "(no file)", damaged = BuildSfnt({{"name", "xx"}});
    const struct { Bytes source; int before; bool ok; } cases[] = {  // before: bytes there, -1 no file
        {good, 0, true}, {good, -1, true}, {damaged, -1, false}, {good.substr(0, 40), 0, false}, {good, 5000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ok << " over " << c.before);
        ASSERT_TRUE(WriteFile(src, c.source));
        PlatDeleteFile(dest.c_str());
        if (c.before >= 0) ASSERT_TRUE(WriteFile(dest, Bytes(c.before, 'j')));
        EXPECT_EQ(c.ok, RewriteFontNameInto("New", src.c_str(), dest.c_str()));
        EXPECT_EQ(c.ok ? expected : c.before < 0 ? none : Bytes(c.before, 'j'), fs::exists(dest) ? ReadFileBytes(dest) : none);
    }
    unsigned k = 0, succeeded = 0;
    do {  // until a run makes fewer calls than k
        SCOPED_TRACE(++k);
        ASSERT_TRUE(WriteFile(dest, ""));
        PlatFailNth(PlatOp::Any, k);
        const bool ok = RewriteFontNameInto("New", src.c_str(), dest.c_str());
        EXPECT_EQ(ok ? expected : Bytes(), ReadFileBytes(dest)) << ok;
        EXPECT_EQ(good, ReadFileBytes(src));
        succeeded += ok;
    } while (PlatFaultFired());
    PlatFailNth(PlatOp::Any, 0);
    EXPECT_EQ(3u, succeeded) << "the run without a fault, and a failed open or size of the destination, got round";
}

#ifdef _WIN32
TEST(RewriteFontName, FileHeldOpenByAnotherProgramIsLeftAlone) {
    FontFile f;
    const Bytes original = BuildFont({Ms(4, "Held")});
    ASSERT_TRUE(WriteFile(f.path, original));
    HANDLE held = CreateFileA(f.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held) << GetLastError();
    EXPECT_FALSE(RewriteFontName("Other", f.path.c_str()));
    CloseHandle(held);
    EXPECT_EQ(original, ReadFileBytes(f.path));
    EXPECT_FALSE(fs::exists(f.backup));
    EXPECT_EQ("Held", std::get<1>(NamesOf(f.path)));
}
#endif

}  // namespace
