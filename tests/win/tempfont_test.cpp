// Temporary font loading under Windows: the private copy, its unique face,
// the fallbacks, and that nothing stays behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/tempfont.h"
#include "wintest.h"

namespace {

TEST(LoadTemporaryFont, PrivateCopyUnderAUniqueFaceAndNothingLeftBehind) {
    const std::string dejavu = HostFont("DejaVuSans.ttf");
    ASSERT_FALSE(dejavu.empty()) << "fonts-dejavu-core is not installed";
    const std::string source = NewTestFolder() + "\\Read Only.ttf";
    ASSERT_TRUE(CopyInto(dejavu, source));
    const Bytes original = ReadFileBytes(source);
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    const int before = CountTemporaryFontFiles();

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        char face[16], temp[MAX_PATH];
        memset(face, 'x', sizeof face);
        memset(temp, 'x', sizeof temp);
        ASSERT_GE(LoadTemporaryFont(source.c_str(), face, temp), 1);

        // The face is "FONT" and the decimal of the number in the copy's
        // name, which the system gives in hex ("GLY1A2B.tmp").
        const char* name = strrchr(temp, '\\');
        ASSERT_NE(nullptr, name);
        ASSERT_EQ(0, strncmp(name + 1, "GLY", 3)) << temp;
        const unsigned long unique = strtoul(name + 4, nullptr, 16);
        EXPECT_EQ("FONT" + std::to_string(unique), face);
        EXPECT_EQ(before + 1, CountTemporaryFontFiles());
        EXPECT_TRUE(FaceIsListed(face));
        static char display[kFontNameCapacity], notice[kFontNameCapacity];
        ASSERT_TRUE(ReadFontNames(display, notice, temp));
        EXPECT_STREQ(face, display);
        EXPECT_EQ(0u, GetFileAttributesA(temp) & FILE_ATTRIBUTE_READONLY);

        ReleaseTemporaryFont(source.c_str(), temp);
        EXPECT_EQ(before, CountTemporaryFontFiles());
        EXPECT_FALSE(FaceIsListed(face));
    }
    EXPECT_EQ(original, ReadFileBytes(source));
    EXPECT_NE(0u, GetFileAttributesA(source.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(LoadTemporaryFont, FallsBackToTheSourceAndLeavesNoCopy) {
    const std::string folder = NewTestFolder();
    const int before = CountTemporaryFontFiles();

    // A naming table the rewrite refuses: a string outside the table.
    Bytes damaged = ReadFileBytes(HostFont("DejaVuSans.ttf"));
    ASSERT_FALSE(damaged.empty());
    for (const ParsedTable& t : ParseSfnt(damaged)) {
        if (t.tag == "name") PatchU16(damaged, t.offset + 6 + 10, 0xFFF0);
    }
    const std::string broken = folder + "\\broken.ttf";
    ASSERT_TRUE(WriteFile(broken, damaged));
    char face[16] = "x", temp[MAX_PATH] = "x";
    const int added = LoadTemporaryFont(broken.c_str(), face, temp);
    EXPECT_STREQ("", face);
    EXPECT_STREQ("", temp);
    EXPECT_EQ(before, CountTemporaryFontFiles());
    EXPECT_NE(0, added) << "the source itself is registered";
    if (added) ReleaseTemporaryFont(broken.c_str(), temp);
    EXPECT_EQ(damaged, ReadFileBytes(broken));

    // A source that cannot be copied: nothing added, nothing left.
    const std::string missing = folder + "\\missing.ttf";
    strcpy(face, "x");
    strcpy(temp, "x");
    EXPECT_EQ(0, LoadTemporaryFont(missing.c_str(), face, temp));
    EXPECT_STREQ("", face);
    EXPECT_STREQ("", temp);
    EXPECT_EQ(before, CountTemporaryFontFiles());

    // A file that is no font at all: the copy is renamed, but the system
    // refuses it; the copy must not stay.
    const std::string notFont = folder + "\\names-only.ttf";
    ASSERT_TRUE(WriteFile(notFont, BuildFont({{3, 1, 0x409, 4, Utf16Latin1("Hollow")}})));
    EXPECT_EQ(0, LoadTemporaryFont(notFont.c_str(), face, temp));
    EXPECT_STREQ("", temp);
    EXPECT_EQ(before, CountTemporaryFontFiles());
}

}  // namespace
