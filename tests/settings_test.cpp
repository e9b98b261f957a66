// The settings file: the key table's rules, what the reader takes from a file's text, the exact text the writer
// produces, a round trip through a real file, and a failure injected at every system call of a save or a load.
// Then the Setup pages' values, and the palette resource against its rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#ifdef _WIN32
#include <windows.h>
#endif

#include "config/palette.h"
#include "config/settings.h"
#include "config/setupvalues.h"
#include "platform/platform.h"
#include "sfntbuilder.h"

namespace {

using Values = std::map<std::string, std::string>;

// Every row's value as the file would show it.
Values ValuesOf(const SettingsRecord& r) {
    Values values;
    for (const SettingsKey& key : kSettingsKeys)
        values[key.name] = (key.kinds & kKindText) ? SettingsText(r, key) : std::to_string(SettingsNumber(r, key));
    return values;
}

SettingsRecord Defaults() { SettingsRecord record; return ResetSettings(record), record; }

// What the reader makes of text in a buffer of exactly its size, so that a read past it is caught.
Values Read(const std::string& text) {
    SettingsRecord record = Defaults();
    const std::vector<char> exact(text.begin(), text.end());
    ParseSettingsText(exact.data(), text.size(), record);
    return ValuesOf(record);
}

// What the reader, the writer and the Setup pages rely on, row by row.
TEST(SettingsKeys, EveryRowKeepsTheTableRules) {
    const SettingsRecord defaults = Defaults();
    std::set<uint32_t> controls;
    for (const SettingsKey& key : kSettingsKeys) {
        SCOPED_TRACE(key.name);
        const uint32_t k = key.kinds, value = (k & kKindText) ? 0 : SettingsNumber(defaults, key);
        const bool text = k & kKindText, number = k & kKindNumber, boolean = k & kKindBoolean;
        EXPECT_EQ(1, text + number + boolean) << "read one way only";
        EXPECT_TRUE(number || !(k & (kKindRefresh | kKindColour | kKindRanged | kKindHundredths)));
        EXPECT_TRUE(text || !(k & kKindFontFace));
        EXPECT_TRUE((k & kKindRanged) || !(k & kKindHundredths)) << "inches are typed within a range";
        EXPECT_EQ((k & kKindRanged) != 0, key.range != 0);
        if (key.range) {
            const uint32_t lower = key.range >> 16, upper = key.range & 0xFFFF;
            EXPECT_EQ(std::tuple(lower, upper, value), std::tuple(ClampToKeyRange(key, 0), ClampToKeyRange(key, ~0u),
                                                                  ClampToKeyRange(key, value)));
        }
        // Dialog controls are numbered from 101 on, below the Help commands.
        EXPECT_TRUE(key.controlId == 0 || (key.controlId > 100 && key.controlId < 997 && !(k & kKindWriteOnly) &&
                                           controls.insert(key.controlId).second)) << key.controlId;
    }
}

TEST(ParseSettingsText, TakesWhatTheLineRulesAllow) {
    const std::string x110(110, 'x'), y110(110, 'y');
    const struct { const char* what; std::string text; Values changed; } cases[] = {  // changed: rows not at default
        {"abbreviated keys: first row in table order", "Paper = 4\r\nShow = 0\r\nFont = x",
         {{"PaperColumns", "4"}, {"ShowFileSamples", "0"}, {"FontSampleText", "x"}}},
        {"several = and blanks; no =", "PaperColumns==  2\r\nLogoDelay 3", {{"PaperColumns", "2"}, {"LogoDelay", "3"}}},
        {"line feeds alone end lines", "PaperColumns = 2\nPaperLeading = 7\n\nLogoDelay=3",
         {{"PaperColumns", "2"}, {"PaperLeading", "7"}, {"LogoDelay", "3"}}},
        {"wrong case, longer token, unknown key", "paperColumns = 2\r\nPapers = 2\r\nFileMenuPath = C:\\\r\n", {}},
        {"comments and the section line", ";Quillmere\r\n;PaperColumns = 2\r\n;\r\n[Quillmere]\r\n", {}},
        {"tab in a value, tab before =", "FontSampleText = a\tb\r\nPaperColumns\t= 2\r\nFooterFont\t= Courier\r\n",
         {{"FontSampleText", "a"}, {"PaperColumns", "0"}, {"FooterFont", ""}}},
        {"blank line selects ApplicationPath", "ApplicationPath = C:\\QM\\\r\n\r\nStartupDirectory = D:\\\r\n",
         {{"StartupDirectory", "D:\\"}}},
        {"200-character line: 127 read, rest dropped",
         "FontSampleText = " + x110 + "PaperColumns = 5" + std::string(57, ' ') + "\r\n", {{"FontSampleText", x110}}},
        {"127 characters and the line end: no blank line after",
         "ApplicationPath = C:\\\r\nFontSampleText = " + y110 + "\r\nPaperColumns = 5\nFooterFont = " + y110 +
             "xxxx\nPaperLeading = 6\n",
         {{"ApplicationPath", "C:\\"}, {"FontSampleText", y110}, {"PaperColumns", "5"}, {"FooterFont", y110 + "xxxx"},
          {"PaperLeading", "6"}}},
        {"numbers wrap and stop at a non-digit",
         "SampleFontColour = 0\r\nSampleFontColour = -1\r\nLogoDelay = 4294967297\r\nPaperColumns = 9x\r\n"
         "DisplayFontSize = abc\r\nTitleFontSize = +7\r\n",
         {{"LogoDelay", "1"}, {"PaperColumns", "9"}, {"DisplayFontSize", "0"}, {"TitleFontSize", "7"}}},
        {"trailing blanks stay, the last line wins", "FooterFont = Times New Roman   \r\nLogoDelay = 2\r\nLogoDelay = 4",
         {{"FooterFont", "Times New Roman   "}, {"LogoDelay", "4"}}},
        {"write-only rows are not read", "BuildDate = Jan  1 1999\r\nVersionNumber = 1\r\n", {}},
        {"CR CR LF one line end, a lone CR none", "PaperColumns = 2\r\rPaperLeading = 9\r\r\nLogoDelay = 4\r",
         {{"PaperColumns", "2"}, {"LogoDelay", "4"}}},
        {"Ctrl-Z ends the file", "WarnShowManual = 0\x1a\r\nPaperColumns = 1\r\n", {{"WarnShowManual", "0"}}},
    };
    for (const auto& c : cases) {
        Values want = ValuesOf(Defaults());
        for (const auto& [key, value] : c.changed) want[key] = value;
        EXPECT_EQ(want, Read(c.text)) << c.what;
    }
    const std::string text = "[Quillmere]\r\nFileMenuPath = C:\\FONTS\\\r\n;FileMenuPath = X:\\\r\nFileMenu = Y:\\\r\n"
                             "FileMenuPath=D:\\A B \nFileMenuPathZ == E:\\\tx\r\nFileMenuPath = F:\\\r\nFileMenuPath = G:\\";
    RecentDirectories recent;
    ParseRecentDirectories(text.data(), text.size(), recent);
    EXPECT_EQ((std::vector<std::string>{"C:\\FONTS\\", "D:\\A B ", "E:\\", "F:\\", "G:\\"}),
              std::vector<std::string>(recent.paths, recent.paths + recent.count));
}

// The header's time stamp, made apart from ctime: the C standard pads the day with a blank, Windows's C with a zero.
std::string Stamp(time_t when) {
    char text[64];
    strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", localtime(&when));
#ifndef _WIN32
    if (text[8] == '0') text[8] = ' ';
#endif
    return text;
}

constexpr time_t kWhen = 1028721600;  // 7 August 2002
const std::vector<std::string> kRecent = {"C:\\FONTS\\", "D:\\MORE FONTS\\"};
RecentDirectories Recent(int count) {
    RecentDirectories recent;
    for (int i = 0; i < count; ++i) AddRecentDirectory(recent, kRecent[i].c_str());
    return recent;
}

TEST(BuildSettingsText, WritesHeaderKeysAndRecentDirectories) {
    SettingsRecord record = Defaults();
    char text[kSettingsTextCapacity];
    const size_t length = BuildSettingsText(record, kWhen, Recent(2), text, sizeof text);
    EXPECT_EQ(";Quillmere configuration file\r\n;Quillmere\r\n;Last updated " + Stamp(kWhen) +
                  "\r\n;\r\n[Quillmere]\r\n"
                  "ApplicationPath = \r\nBottomPrintMargin = 50\r\nBuildDate = Aug  7 2002\r\nDisplayFontSize = 24\r\n"
                  "FontSampleText = The quick brown fox obfuscated the lazy dog...\r\nFooterFont = Arial\r\n"
                  "LeftPrintMargin = 50\r\nLogoDelay = 8000\r\nPaperColumns = 3\r\nPaperLeading = 5\r\n"
                  "PaperLeftPadding = 8\r\nPaperFrameBackground = 16316664\r\nPaperFrameColour = 0\r\n"
                  "PaperRoundFrame = 1\r\nPaperSampleSize = 24\r\nPaperTitleSize = 12\r\nPaperTitleFont = Arial\r\n"
                  "PromptBeforeOverwrite = 1\r\nPromptWhenDone = 1\r\nSampleFontColour = 4294967295\r\n"
                  "SampleFontSize = 30\r\nShowFileSamples = 1\r\nShowFontSamples = 1\r\nShowStartupWindow = 1\r\n"
                  "TitleFontSize = 12\r\nTopPrintMargin = 50\r\nPageFooter = Page %P printed on %S\r\n"
                  "RightPrintMargin = 50\r\nStartupDirectory = \r\nVersionNumber = 67\r\nWarnShowManual = 1\r\n"
                  "WindowsFontNameFix = 1\r\nFileMenuPath = C:\\FONTS\\\r\nFileMenuPath = D:\\MORE FONTS\\\r\n",
              std::string(text, length));
    EXPECT_EQ(0u, BuildSettingsText(record, kWhen, Recent(2), text, length)) << "one byte short of the terminator";
    std::vector<char> tight(length, '#');
    EXPECT_EQ(0u, BuildSettingsText(record, kWhen, Recent(2), tight.data(), length - 10));
    EXPECT_EQ('#', tight[length - 10]) << "wrote past the buffer";
    // The longest file there can be still fits the writer's buffer.
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) memset(SettingsText(record, key), 'w', kSettingsTextSize - 1);
    }
    RecentDirectories recent;
    for (int i = 0; i < kMaxRecentDirectories; ++i) AddRecentDirectory(recent, (char('A' + i) + std::string(300, ':')).c_str());
    EXPECT_LT(0u, BuildSettingsText(record, kWhen, recent, text, sizeof text));
}

// A save through a real file, over an old one or none, with a failure injected at each of its system calls
// in turn: a save that fails keeps the old file (or none) and leaves no temporary. Then loads of what was
// saved: every readable row comes back, and a load that fails leaves the record alone.
TEST(SettingsFile, RoundTripAndFailureAtAnyCall) {
    SettingsRecord record = Defaults();
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) snprintf(SettingsText(record, key), kSettingsTextSize, "%.3s value =x ", key.name);
        else SettingsNumber(record, key) = 4000000000u + static_cast<uint32_t>(key.offset);
    }
    char text[kSettingsTextCapacity];
    const Bytes fresh(text, BuildSettingsText(record, kWhen, Recent(2), text, sizeof text)), old = "PaperColumns = 1";
    // Alloc, lock, create, write, close, replace; after a failure only the close and delete of the temporary.
    const unsigned made[] = {6, 1, 2, 3, 6, 6, 7};
    const std::string dir = TempDir(), path = JoinPath(dir, "Quillmere.ini");
    for (const bool hadFile : {true, false}) {
        for (unsigned k = 0; k <= 6; ++k) {  // 0: no failure
            SCOPED_TRACE(testing::Message() << hadFile << " " << k);
            if (hadFile) ASSERT_TRUE(WriteFile(path, old));
            else std::filesystem::remove(path);
            PlatFailNth(PlatOp::Any, k);
            EXPECT_EQ(k == 0, WriteSettingsFile(path.c_str(), record, kWhen, Recent(2)));
            EXPECT_EQ(made[k], PlatCallCount(PlatOp::Any));
            PlatFailNth(PlatOp::Any, 0);
            EXPECT_EQ(hadFile || !k ? 1 : 0, std::distance(std::filesystem::directory_iterator(dir), {})) << "a temporary";
            if (hadFile || !k) EXPECT_EQ(k ? old : fresh, ReadFileBytes(path));
        }
    }
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), record, kWhen, Recent(2)));
    RecentDirectories dirs;
    ASSERT_TRUE(ReadRecentDirectoriesFile(path.c_str(), dirs));
    EXPECT_EQ(kRecent, std::vector<std::string>(dirs.paths, dirs.paths + dirs.count));
    Values want = ValuesOf(record);
    want["BuildDate"] = "Aug  7 2002", want["VersionNumber"] = "67";
    for (unsigned k = 0, calls = 1; k <= calls; ++k) {
        SCOPED_TRACE(k);
        SettingsRecord back = Defaults();
        PlatFailNth(PlatOp::Any, k);
        const bool result = ReadSettingsFile(path.c_str(), back);
        calls = k ? calls : PlatCallCount(PlatOp::Any);
        const bool closing = k && PlatFiredOp() == PlatOp::Close;
        PlatFailNth(PlatOp::Any, 0);
        // Only the closing of a file that was read in full may fail unnoticed.
        EXPECT_EQ(!k || closing, result);
        EXPECT_EQ(result ? want : ValuesOf(Defaults()), ValuesOf(back));
    }
    SettingsRecord last = Defaults();
    ASSERT_TRUE(WriteFile(path, "LogoDelay = 45") && ReadSettingsFile(path.c_str(), last));
    EXPECT_EQ(45u, last.LogoDelay) << "the last line needs no line end";
}

TEST(SettingsFilePath, IsInTheWindowsDirectory) {
    char path[kPlatMaxPath];
#ifdef _WIN32
    char windows[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryA(windows, sizeof windows));
    ASSERT_TRUE(SettingsFilePath(path, sizeof path));
    EXPECT_EQ(std::string(windows) + "\\Quillmere.ini", path);
    EXPECT_FALSE(SettingsFilePath(path, strlen(windows) + 14)) << "no room for the terminator";
#endif
    PlatFailNth(PlatOp::WindowsDirectory, 1);
    EXPECT_FALSE(SettingsFilePath(path, sizeof path));
    EXPECT_STREQ("", path);
    PlatFailNth(PlatOp::WindowsDirectory, 1);
    EXPECT_FALSE(SaveSettingsFile()) << "nowhere to save";
    PlatFailNth(PlatOp::Any, 0);
}

TEST(Inches, WrittenTextReadsBackAndTypedTextReadsAsHundredths) {
    char text[kInchesTextSize];
    for (uint32_t v = 0; v <= 0xFFFF; ++v) ASSERT_EQ((FormatInches(v, text, sizeof text), ParseInches(text)), v);
    for (auto [v, size, want] : {std::tuple{50u, 16, "0.50\""}, {5u, 16, "0.05\""}, {3000u, 16, "30.00\""},
                                 {~0u, 16, "42949672.95\""}, {3000u, 6, ""}})
        EXPECT_EQ((FormatInches(v, text, size), std::string(text)), want);
    // Typed text: hundredths, clamped to what 32 bits hold.
    const std::pair<const char*, uint32_t> typed[] = {{"1.5", 150}, {"40", 4000}, {"40\"", 4000}, {"0.29", 29},
        {"0.005", 0}, {"2.999", 299}, {"-1", 0u - 100}, {"-0.5", 0u - 50}, {"-0.005", 0}, {"abc", 0}, {"", 0},
        {" \t1.5", 150}, {"+2", 200}, {".5", 50}, {"5.", 500}, {"1.2.3", 120}, {"1,5", 100}, {"4\"5", 400},
        {"42949673", ~0u}, {"99999999999999999999", ~0u}, {"-21474836.48", 1u << 31}, {"-9999999999", 1u << 31}};
    for (auto [in, want] : typed) EXPECT_EQ(ParseInches(in), want) << '"' << in << '"';
    for (uint32_t value : {9u, ~0u}) EXPECT_EQ(ClampToRange(value, 0), value) << "no range: kept";  // ranges: SettingsKeys
}

using Rgb = std::array<int, 3>;
Rgb At(const uint8_t* palette, int i) { return {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]}; }

// Entry i of the palette resource, from its rule.
Rgb RuleEntry(int i) {
    const int grey = std::clamp(static_cast<int>(std::floor((i - 112) * 255.0 / 31)), 1, 254);
    if (i >= 112 && i < 144) return {grey, grey, grey};
    static const int kRed[8] = {0, 43, 85, 128, 128, 170, 213, 255};
    return {kRed[i / 32], static_cast<int>(std::lround(i / 4 % 8 * 255.0 / 7)), i % 4 * 85};
}

TEST(Palette, GeneratedResourceFollowsTheRuleAndAShortOneGivesTheCube) {
    const Bytes bytes = ReadFileBytes(QM_PALETTE_FILE);
    ASSERT_EQ(bytes.size(), 853u);
    const auto header = "ZEPHRSRC256 colour palette" + std::string(46, 0) + std::string("\0\1\0CMAP\1\0\0\0\0\3", 13);
    EXPECT_EQ(bytes.substr(0, 85), header);
    uint8_t palette[kPaletteBytes];
    ASSERT_TRUE(FillPalette(palette, bytes.data(), bytes.size()));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(At(palette, i), RuleEntry(i)) << i;
    const std::array<int, 5> nearest[] = {{248, 248, 248, 256, 142}, {0, 0, 0, 256, 0}, {1, 1, 2, 256, 112},
        {85, 102, 119, 256, 124} /* tie: 125 */, {255, 255, 255, 256, 255}, {255, 255, 255, 255, 143}, {9, 9, 9, 0, 0}};
    for (auto [r, g, b, count, want] : nearest) EXPECT_EQ(NearestPaletteEntry(r, g, b, palette, count), want) << r;
    EXPECT_EQ(NearestPaletteEntry(0, 0, 0, std::array<uint8_t, 6>{0, 0, 1, 0, 0, 0}.data(), 2), 1) << "exact after near";
    uint8_t copy[kPaletteBytes] = {};
    EXPECT_FALSE(FillPalette(palette, std::vector<uint8_t>(852, 0xAB).data(), 852));  // one byte short: the cube
    for (auto [i, want] : {std::pair{24, Rgb{32, 224, 64}}, {97, {128, 32, 128}}, {255, {255, 255, 255}}})
        EXPECT_EQ(At(palette, i), want) << i;
    const uint8_t* shared = LoadPalette(nullptr, kPaletteResourceSize, copy);  // no resource: the cube as well
    EXPECT_TRUE(std::equal(palette, std::end(palette), shared) && std::equal(palette, std::end(palette), copy));
}

}  // namespace
