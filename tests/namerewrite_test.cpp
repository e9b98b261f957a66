// The naming-table rewrite: the bytes it leaves on disk, the backup
// protocol, damaged input, and a failure injected at every system call.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

std::string DisplayName(const std::string& path) {
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    return ReadFontNames(display, notice, path.c_str()), display;
}

// Checks the file is laid out as a rewrite must leave it: tables in the old
// order, each on a 4-byte boundary with zero padding, right checksums, and
// every table but the naming table byte-identical to before.
void ExpectLaidOutLike(const Bytes& before, const Bytes& after) {
    ASSERT_GE(after.size(), 12u);
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

Bytes NameTableOf(const Bytes& font) {
    for (const auto& t : ParseSfnt(font)) if (t.tag == "name") return t.data;
    return {};
}

struct FontFile {
    std::string dir = TempDir(), path = JoinPath(dir, "FOO.TTF"), backup = path + ".bak";
};

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
        EXPECT_FALSE(FileExists(f.backup));
        const Bytes after = ReadFileBytes(f.path), table = NameTableOf(after);
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
        EXPECT_EQ(c.name, DisplayName(f.path));
    }
}

// Damaged input is refused and left as it was; a font without a naming table is laid out anew, its
// checksums made right.
TEST(RewriteFontName, RefusesDamagedFilesAndRelaysOthers) {
    const Bytes good = BuildFont({Ms(1, "Fam"), Ms(4, "Fam Regular")});
    const uint32_t name = ParseSfnt(good)[4].offset;
    auto patched = [&](size_t at, const Bytes& with) { return Bytes(good).replace(at, with.size(), with); };
    const Bytes none = "(no file)", noName = BuildSfnt({{"head", Bytes(54, 7)}, {"glyf", Bytes(13, 9)}, {"NAME", "odd"}});
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
        EXPECT_EQ(c.after.empty() ? c.before : c.after, FileExists(f.path) ? ReadFileBytes(f.path) : none);
        EXPECT_FALSE(FileExists(f.backup));
    }
}

// A failure at any one system call of a rewrite never loses or half-writes
// the font: either nothing happened and no backup is left, or (when only a
// clean-up deletion failed: the first, of no old backup, or the last, of
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
        bool exists = false;
        EXPECT_EQ(result ? rewritten : original, ReadFileBytes(f.path, &exists));
        ASSERT_TRUE(exists) << "the font file must never be missing";
        EXPECT_TRUE(result ? !PlatFaultFired() || PlatFiredOp() == PlatOp::Delete : !FileExists(f.backup));
        std::filesystem::remove(f.backup);
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
    Bytes expected = good + Bytes(1, '\0');  // padded to a multiple of 4
    const std::vector<ParsedTable> before = ParseSfnt(good);
    for (const ParsedTable& t : ParseSfnt(ReadFileBytes(f.path))) {
        if (t.tag != "name") continue;
        size_t entry = 12;
        while (before[(entry - 12) / 16].tag != "name") entry += 16;
        PatchU32(expected, entry + 4, Checksum(t.data));
        PatchU32(expected, entry + 8, static_cast<uint32_t>(expected.size()));
        PatchU32(expected, entry + 12, t.length);
        expected += t.data + Bytes((4 - t.length % 4) % 4, '\0');
    }
    const Bytes none = "(no file)", damaged = BuildSfnt({{"name", "xx"}});
    const struct { Bytes source; int before; bool ok; } cases[] = {  // before: bytes there, -1 no file
        {good, 0, true}, {good, -1, true}, {damaged, -1, false}, {good.substr(0, 40), 0, false}, {good, 5000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ok << " over " << c.before);
        ASSERT_TRUE(WriteFile(src, c.source));
        PlatDeleteFile(dest.c_str());
        if (c.before >= 0) ASSERT_TRUE(WriteFile(dest, Bytes(c.before, 'j')));
        EXPECT_EQ(c.ok, RewriteFontNameInto("New", src.c_str(), dest.c_str()));
        EXPECT_EQ(c.ok ? expected : c.before < 0 ? none : Bytes(c.before, 'j'), FileExists(dest) ? ReadFileBytes(dest) : none);
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
    SetLastError(0xdeadbeef);
    HANDLE held = CreateFileA(f.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held) << GetLastError();
    EXPECT_FALSE(RewriteFontName("Other", f.path.c_str()));
    CloseHandle(held);
    EXPECT_EQ(original, ReadFileBytes(f.path));
    EXPECT_FALSE(FileExists(f.backup));
    EXPECT_EQ("Held", DisplayName(f.path));
}
#endif

}  // namespace
