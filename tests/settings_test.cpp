// The settings file: the key table's rules, what the reader takes from a
// file's text, the exact text the writer produces, a round trip through a
// real file, and a failure injected at every system call of a save or a load.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#ifdef _WIN32
#include <windows.h>
#endif

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
    const std::unique_ptr<char[]> exact(new char[text.size()]);
    memcpy(exact.get(), text.data(), text.size());
    ParseSettingsText(exact.get(), text.size(), record);
    return ValuesOf(record);
}

// What the reader, the writer and the Setup pages rely on, row by row.
TEST(SettingsKeys, EveryRowKeepsTheTableRules) {
    const SettingsRecord defaults = Defaults();
    std::set<uint32_t> controls;
    std::vector<char> used(sizeof(SettingsRecord), 0);
    for (const SettingsKey& key : kSettingsKeys) {
        SCOPED_TRACE(key.name);
        const uint32_t k = key.kinds, value = (k & kKindText) ? 0 : SettingsNumber(defaults, key);
        const bool text = k & kKindText, number = k & kKindNumber, boolean = k & kKindBoolean;
        EXPECT_EQ(1, text + number + boolean) << "read one way only";
        EXPECT_EQ(0u, k & ~(kKindBoolean | kKindText | kKindNumber | kKindRefresh | kKindWriteOnly | kKindColour |
                            kKindRanged | kKindFontFace | kKindHundredths));
        EXPECT_TRUE(number || !(k & (kKindRefresh | kKindColour | kKindRanged | kKindHundredths)));
        EXPECT_TRUE(text || !(k & kKindFontFace));
        EXPECT_TRUE((k & kKindRanged) || !(k & kKindHundredths)) << "inches are typed within a range";
        EXPECT_EQ((k & kKindRanged) != 0, key.range != 0);
        if (key.range) {
            const uint32_t lower = key.range >> 16, upper = key.range & 0xFFFF;
            EXPECT_LE(lower, upper);
            EXPECT_EQ(std::tuple(lower, upper, value), std::tuple(ClampToKeyRange(key, 0), ClampToKeyRange(key, ~0u),
                                                                  ClampToKeyRange(key, value)));
        }
        if (boolean) EXPECT_LE(value, 1u);
        // Dialog controls are numbered from 101 on, below the Help commands.
        EXPECT_TRUE(key.controlId == 0 || (key.controlId > 100 && key.controlId < 997 && !(k & kKindWriteOnly) &&
                                           controls.insert(key.controlId).second)) << key.controlId;
        // The value lies inside the record, clear of every other row's.
        const size_t size = text ? kSettingsTextSize : sizeof(uint32_t);
        ASSERT_LE(key.offset + size, sizeof(SettingsRecord));
        for (size_t i = key.offset; i < key.offset + size; ++i) EXPECT_FALSE(std::exchange(used[i], 1)) << i;
    }
}

TEST(ParseSettingsText, TakesWhatTheLineRulesAllow) {
    const std::string x110(110, 'x'), y110(110, 'y');
    const struct { const char* what; std::string text; Values changed; } cases[] = {  // changed: rows not at default
        {"abbreviated keys: first row in table order", "Paper = 4\r\nShow = 0\r\nFont = x",
         {{"PaperColumns", "4"}, {"ShowFileSamples", "0"}, {"FontSampleText", "x"}}},
        {"no blanks, no line end", "PaperColumns=2", {{"PaperColumns", "2"}}},
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
        {"lone CR is a control character", "PaperColumns = 2\rPaperLeading = 9\r\n", {{"PaperColumns", "2"}}},
        {"CR CR LF: one line end", "PaperColumns = 2\r\rPaperLeading = 9\r\r\nLogoDelay = 4\r",
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

// The header's time stamp, made independently of ctime: the C standard pads
// the day with a blank, the Windows C library with a zero.
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
    // The longest file there can be still fits the writer's buffer.
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) memset(SettingsText(record, key), 'w', kSettingsTextSize - 1);
    }
    RecentDirectories recent;
    for (int i = 0; i < kMaxRecentDirectories; ++i) AddRecentDirectory(recent, (char('A' + i) + std::string(300, ':')).c_str());
    EXPECT_LT(0u, BuildSettingsText(record, kWhen, recent, text, sizeof text));
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    return names;
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
            EXPECT_EQ(hadFile || !k ? std::vector<std::string>{"Quillmere.ini"} : std::vector<std::string>{}, FilesIn(dir));
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
    PlatFailNth(PlatOp::Any, 0);
    EXPECT_STREQ("", path);
}

}  // namespace
