// The naming-table rewrite: the bytes it leaves on disk, the backup
// protocol, damaged input, and a failure injected at every system call.
#include <gtest/gtest.h>

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/platform.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

NameRec Ms(uint16_t id, const std::string& latin1) { return {3, 1, 0x409, id, Utf16Latin1(latin1)}; }
NameRec Mac(uint16_t id, const std::string& bytes) { return {1, 0, 0, id, bytes}; }

std::string DisplayName(const std::string& path) {
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    ReadFontNames(display, notice, path.c_str());
    return display;
}

// Checks the file is laid out as a rewrite must leave it: tables in the old
// order, each on a 4-byte boundary with zero padding, right checksums, and
// every table but the naming table byte-identical to before.
void ExpectLaidOutLike(const Bytes& before, const Bytes& after, int line) {
    SCOPED_TRACE(testing::Message() << "from line " << line);
    ASSERT_GE(after.size(), 12u);
    EXPECT_EQ(before.substr(0, 12), after.substr(0, 12));
    const auto old = ParseSfnt(before);
    const auto now = ParseSfnt(after);
    ASSERT_EQ(old.size(), now.size());
    uint64_t expectOffset = 12 + 16 * now.size();
    for (size_t i = 0; i < now.size(); ++i) {
        SCOPED_TRACE(now[i].tag);
        EXPECT_EQ(old[i].tag, now[i].tag);
        EXPECT_EQ(expectOffset, now[i].offset);
        EXPECT_EQ(Checksum(now[i].data), now[i].checksum);
        ASSERT_EQ(now[i].length, now[i].data.size());
        if (now[i].tag != "name") EXPECT_EQ(old[i].data, now[i].data);
        const uint32_t padded = (now[i].length + 3) & ~3u;
        EXPECT_EQ(Bytes(padded - now[i].length, '\0'), after.substr(now[i].offset + now[i].length, padded - now[i].length));
        expectOffset += padded;
    }
    EXPECT_EQ(expectOffset, after.size());
}

Bytes NameTableOf(const Bytes& font) {
    for (const auto& t : ParseSfnt(font)) {
        if (t.tag == "name") return t.data;
    }
    return {};
}

struct FontFile {
    std::string dir = TempDir();
    std::string path = JoinPath(dir, "FOO.TTF");
    std::string backup = path + ".bak";
};

TEST(RewriteFontName, ReplacesFamilyAndFullNamesOnEveryPlatform) {
    FontFile f;
    const std::vector<NameRec> records = {
        Mac(0, "(c) Mac"), Mac(1, "Old Family"), Mac(2, "Bold"), Mac(3, "Unique Mac"), Mac(4, "Old Family Bold"),
        Mac(6, "OldFamily-Bold"), Ms(0, "(c) Win"), Ms(1, "Old Family"), Ms(2, "Bold"), Ms(3, "Unique Win"),
        Ms(4, "Old Family Bold"), Ms(6, "OldFamily-Bold"), {3, 0, 0x409, 4, Utf16Latin1("Symbol Name")},
        {0, 3, 0, 1, Utf16Latin1("Uni Family")},
    };
    const Bytes before = BuildFont(records);
    ASSERT_TRUE(WriteFile(f.path, before));
    ASSERT_TRUE(WriteFile(f.backup, "an old backup"));

    ASSERT_TRUE(RewriteFontName("Test Sans", f.path.c_str()));
    EXPECT_FALSE(FileExists(f.backup)) << "an earlier backup is replaced, then deleted";
    const Bytes after = ReadFileBytes(f.path);
    ExpectLaidOutLike(before, after, __LINE__);

    const Bytes table = NameTableOf(after);
    EXPECT_EQ(ReadU16(NameTableOf(before), 0), ReadU16(table, 0));
    EXPECT_EQ(records.size(), ReadU16(table, 2));
    EXPECT_EQ(6 + 12 * records.size(), ReadU16(table, 4));
    const auto names = ParseNameTable(table);
    ASSERT_EQ(records.size(), names.size());
    uint32_t running = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        const NameRec& was = records[i];
        EXPECT_EQ(was.platform, names[i].platform);
        EXPECT_EQ(was.encoding, names[i].encoding);
        EXPECT_EQ(was.language, names[i].language);
        EXPECT_EQ(was.nameId, names[i].nameId);
        EXPECT_EQ(running, names[i].offset) << "strings lie in record order";
        running += names[i].length;
        if (was.nameId == 1 || was.nameId == 4) {
            EXPECT_EQ(was.platform == 3 ? Utf16Latin1("Test Sans") : Bytes("Test Sans"), names[i].text);
        } else {
            EXPECT_EQ(was.text, names[i].text);
        }
    }
    EXPECT_EQ(table.size(), 6 + 12 * records.size() + running);
    EXPECT_EQ("Test Sans", DisplayName(f.path));
}

TEST(RewriteFontName, LatinBytesSharedStringsAndPadding) {
    FontFile f;
    NameTableSpec spec;
    spec.shareEqualStrings = true;  // ID 1 and 4, and ID 2 and 17, share storage
    spec.records = {Mac(1, "Same"), Mac(2, "Regular"), Mac(4, "Same"), Ms(1, "Same"), Ms(2, "Regular"),
                    Ms(4, "Same"), Ms(17, "Regular")};
    const Bytes before = BuildSfnt({{"head", Bytes(54, '\x01')}, {"name", BuildNameTable(spec)}, {"post", "POST"}});
    ASSERT_TRUE(WriteFile(f.path, before));

    ASSERT_TRUE(RewriteFontName("Caf\xE9", f.path.c_str()));
    const Bytes after = ReadFileBytes(f.path);
    ExpectLaidOutLike(before, after, __LINE__);
    const auto names = ParseNameTable(NameTableOf(after));
    ASSERT_EQ(7u, names.size());
    EXPECT_EQ("Caf\xE9", names[0].text);
    EXPECT_EQ(Utf16Units({'C', 'a', 'f', 0x00E9}), names[3].text);
    // One copy per record: 4 + 7 + 4 + 8 + 14 + 8 + 14 bytes, in order.
    const uint16_t offsets[] = {0, 4, 11, 15, 23, 37, 45};
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(offsets[i], names[i].offset) << i;
    EXPECT_EQ(Utf16Latin1("Regular"), names[6].text);
    // 6 + 84 + 59 = 149 bytes: the next table starts after 3 zero bytes.
    EXPECT_EQ(149u, NameTableOf(after).size());
    EXPECT_EQ("Caf\xE9", DisplayName(f.path));
    EXPECT_FALSE(FileExists(f.backup));
}

TEST(RewriteFontName, FontWithoutNamingTableIsRelaidUnchanged) {
    FontFile f;
    std::vector<SfntTable> tables = {{"head", Bytes(54, '\x07')}, {"glyf", Bytes(13, '\x09')}, {"NAME", "odd"}};
    Bytes before = BuildSfnt(tables);
    PatchU32(before, 12 + 4, 0xDEADBEEF);  // a wrong checksum is recomputed
    ASSERT_TRUE(WriteFile(f.path, before));
    ASSERT_TRUE(RewriteFontName("Ignored", f.path.c_str()));
    const Bytes after = ReadFileBytes(f.path);
    ExpectLaidOutLike(before, after, __LINE__);
    EXPECT_EQ(BuildSfnt(tables), after);
    EXPECT_FALSE(FileExists(f.backup));
}

TEST(RewriteFontName, RefusesDamagedFilesWithoutTouchingThem) {
    std::vector<std::pair<const char*, Bytes>> cases;
    const Bytes good = BuildFont({Ms(1, "Fam"), Ms(4, "Fam Regular")});
    const uint32_t nameOffset = ParseSfnt(good)[4].offset;
    Bytes outside = good;
    PatchU16(outside, nameOffset + 6 + 12 + 10, 0x0100);  // second string beyond the table
    cases.push_back({"string outside the naming table", outside});
    Bytes manyRecords = good;
    PatchU16(manyRecords, nameOffset + 2, 40);
    cases.push_back({"records beyond the naming table", manyRecords});
    cases.push_back({"table beyond the end of the file", good.substr(0, good.size() - 40)});
    cases.push_back({"shorter than the offset table", good.substr(0, 9)});
    NameTableSpec big;
    for (int i = 0; i < 40; ++i) big.records.push_back(Ms(4, "x"));
    cases.push_back({"new strings over 65535 bytes", BuildSfnt({{"name", BuildNameTable(big)}})});

    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        FontFile f;
        ASSERT_TRUE(WriteFile(f.path, bytes));
        EXPECT_FALSE(RewriteFontName(std::string(1000, 'N').c_str(), f.path.c_str()));
        EXPECT_EQ(bytes, ReadFileBytes(f.path));
        EXPECT_FALSE(FileExists(f.backup));
    }
    FontFile missing;
    EXPECT_FALSE(RewriteFontName("X", missing.path.c_str()));
    EXPECT_FALSE(FileExists(missing.path));
    EXPECT_FALSE(FileExists(missing.backup));

    // An empty name is accepted: the file then has no full name to show.
    FontFile empty;
    ASSERT_TRUE(WriteFile(empty.path, good));
    EXPECT_TRUE(RewriteFontName("", empty.path.c_str()));
    EXPECT_EQ("", DisplayName(empty.path));
    EXPECT_EQ(0u, ParseNameTable(NameTableOf(ReadFileBytes(empty.path)))[1].length);
}

// A failure at any one system call of a rewrite never loses or half-writes
// the font: either nothing happened, or (when only the last clean-up failed)
// the rewrite is complete.
TEST(RewriteFontName, FaultAtEveryCallLeavesTheFontWhole) {
    FontFile f;
    const Bytes original = BuildFont({Mac(1, "Old"), Mac(4, "Old Regular"), Ms(0, "(c)"), Ms(1, "Old"),
                                      Ms(4, "Old Regular")});
    ASSERT_TRUE(WriteFile(f.path, original));
    PlatResetCounts();
    ASSERT_TRUE(RewriteFontName("New Name", f.path.c_str()));
    const unsigned calls = PlatCallCount(PlatOp::Any);
    const Bytes rewritten = ReadFileBytes(f.path);
    ASSERT_GT(calls, 10u);

    unsigned outcomes[2] = {};
    for (unsigned k = 1; k <= calls; ++k) {
        SCOPED_TRACE(testing::Message() << "failing call " << k << " of " << calls);
        ASSERT_TRUE(WriteFile(f.path, original));
        PlatFailNth(PlatOp::Any, k);
        const bool result = RewriteFontName("New Name", f.path.c_str());
        const bool fired = PlatFaultFired();
        const PlatOp op = PlatFiredOp();
        PlatFailNth(PlatOp::Any, 0);
        ASSERT_TRUE(fired);
        bool exists = false;
        const Bytes now = ReadFileBytes(f.path, &exists);
        ASSERT_TRUE(exists) << "the font file must never be missing";
        if (!result) {
            EXPECT_EQ(original, now);
            EXPECT_FALSE(FileExists(f.backup));
        } else {
            // Only the clean-up deletions may fail without failing the rewrite:
            // the first (no old backup to delete) or the last (the backup).
            EXPECT_EQ(PlatOp::Delete, op);
            EXPECT_EQ(rewritten, now);
            EXPECT_EQ("New Name", DisplayName(f.path));
            PlatDeleteFile(f.backup.c_str());
        }
        ++outcomes[result];
    }
    EXPECT_EQ(2u, outcomes[1]);
    EXPECT_EQ(calls - 2, outcomes[0]);
}

// Into another file: the bytes a rewrite in place leaves, over an empty, missing or longer file;
// none for damaged input; after a failure at any call, the source as it was and no font there.
TEST(RewriteFontNameInto, SameBytesAsInPlaceOrNoCopy) {
    FontFile f;
    const std::string dest = JoinPath(f.dir, "GLY1.tmp"), src = JoinPath(f.dir, "src.ttf");
    const Bytes good = BuildFont({Mac(1, "Old"), Ms(0, "(c)"), Ms(1, "Old"), Ms(4, "Old Regular")});
    ASSERT_TRUE(WriteFile(f.path, good) && RewriteFontName("New", f.path.c_str()));
    const Bytes expected = ReadFileBytes(f.path), none = "(no file)", damaged = BuildSfnt({{"name", "xx"}});
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
