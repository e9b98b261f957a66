// The settings record, its key table and the settings file.
//
// Lines are taken the way the C library's text mode would hand them over:
// CR LF is one line end and Ctrl-Z ends the file. Each line is read with a
// 127-character limit; what a longer line holds beyond that is dropped, so
// the tail of an over-long value can never pose as a line of its own.
#include "config/settings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/paths.h"
#include "platform/platform.h"

namespace {

constexpr SettingsRecord kDefaults = {
    .ApplicationPath = "",
    .BottomPrintMargin = 50,
    .BuildDate = "Aug  7 2002",
    .DisplayFontSize = 24,
    .FontSampleText = "The quick brown fox obfuscated the lazy dog...",
    .FooterFont = "Arial",
    .LeftPrintMargin = 50,
    .LogoDelay = 8000,
    .PaperColumns = 3,
    .PaperLeading = 5,
    .PaperLeftPadding = 8,
    .PaperFrameBackground = 0xF8F8F8,
    .PaperFrameColour = 0,
    .PaperRoundFrame = 1,
    .PaperSampleSize = 24,
    .PaperTitleSize = 12,
    .PaperTitleFont = "Arial",
    .PromptBeforeOverwrite = 1,
    .PromptWhenDone = 1,
    .SampleFontColour = 0xFFFFFFFF,
    .SampleFontSize = 30,
    .ShowFileSamples = 1,
    .ShowFontSamples = 1,
    .ShowStartupWindow = 1,
    .TitleFontSize = 12,
    .TopPrintMargin = 50,
    .PageFooter = "Page %P printed on %S",
    .RightPrintMargin = 50,
    .StartupDirectory = "",
    .VersionNumber = 67,
    .WarnShowManual = 1,
    .WindowsFontNameFix = 1,
};

template <typename T>
constexpr bool kIsTextField = false;
template <>
constexpr bool kIsTextField<char[kSettingsTextSize]> = true;

// Not constexpr: reaching it during compile-time evaluation is an error.
void KindDoesNotMatchField() {}

// Checks at compile time that a row's kind agrees with its field's type, so
// that the parser never writes a number into a text buffer or the reverse.
template <typename Field>
consteval uint32_t CheckedKinds(uint32_t kinds) {
    const bool text = (kinds & kKindText) != 0;
    const bool number = (kinds & (kKindBoolean | kKindNumber)) != 0;
    if (text == number || text != kIsTextField<Field>) KindDoesNotMatchField();
    return kinds;
}

}  // namespace

#define QM_KEY(field, kinds, control, range) \
    { #field, offsetof(SettingsRecord, field), CheckedKinds<decltype(SettingsRecord::field)>(kinds), control, range }

const SettingsKey kSettingsKeys[kSettingsKeyCount] = {
    QM_KEY(ApplicationPath, kKindText, 0, 0),
    QM_KEY(BottomPrintMargin, kKindNumber | kKindRanged | kKindHundredths, 109, SettingsRange(1, 3000)),
    QM_KEY(BuildDate, kKindText | kKindWriteOnly, 0, 0),
    QM_KEY(DisplayFontSize, kKindNumber | kKindRefresh | kKindRanged, 202, SettingsRange(4, 72)),
    QM_KEY(FontSampleText, kKindText, 125, 0),
    QM_KEY(FooterFont, kKindText | kKindFontFace, 121, 0),
    QM_KEY(LeftPrintMargin, kKindNumber | kKindRanged | kKindHundredths, 106, SettingsRange(1, 3000)),
    QM_KEY(LogoDelay, kKindNumber, 0, 0),
    QM_KEY(PaperColumns, kKindNumber | kKindRanged, 119, SettingsRange(1, 5)),
    QM_KEY(PaperLeading, kKindNumber | kKindRanged | kKindHundredths, 114, SettingsRange(0, 72)),
    QM_KEY(PaperLeftPadding, kKindNumber | kKindRanged | kKindHundredths, 0, SettingsRange(0, 300)),
    QM_KEY(PaperFrameBackground, kKindNumber | kKindColour, 113, 0),
    QM_KEY(PaperFrameColour, kKindNumber | kKindColour, 112, 0),
    QM_KEY(PaperRoundFrame, kKindBoolean, 116, 0),
    QM_KEY(PaperSampleSize, kKindNumber | kKindRanged | kKindHundredths, 110, SettingsRange(4, 72)),
    QM_KEY(PaperTitleSize, kKindNumber | kKindRanged | kKindHundredths, 111, SettingsRange(4, 72)),
    QM_KEY(PaperTitleFont, kKindText | kKindFontFace, 120, 0),
    QM_KEY(PromptBeforeOverwrite, kKindBoolean, 128, 0),
    QM_KEY(PromptWhenDone, kKindBoolean, 127, 0),
    QM_KEY(SampleFontColour, kKindNumber | kKindColour, 118, 0),
    QM_KEY(SampleFontSize, kKindNumber | kKindRanged, 117, SettingsRange(10, 72)),
    QM_KEY(ShowFileSamples, kKindBoolean, 0, 0),
    QM_KEY(ShowFontSamples, kKindBoolean, 0, 0),
    QM_KEY(ShowStartupWindow, kKindBoolean, 305, 0),
    QM_KEY(TitleFontSize, kKindNumber | kKindRefresh | kKindRanged, 201, SettingsRange(4, 72)),
    QM_KEY(TopPrintMargin, kKindNumber | kKindRanged | kKindHundredths, 107, SettingsRange(1, 3000)),
    QM_KEY(PageFooter, kKindText, 124, 0),
    QM_KEY(RightPrintMargin, kKindNumber | kKindRanged | kKindHundredths, 108, SettingsRange(1, 3000)),
    QM_KEY(StartupDirectory, kKindText, 0, 0),
    QM_KEY(VersionNumber, kKindNumber | kKindWriteOnly, 0, 0),
    QM_KEY(WarnShowManual, kKindBoolean, 308, 0),
    QM_KEY(WindowsFontNameFix, kKindBoolean, 129, 0),
};

#undef QM_KEY

SettingsRecord g_settings = kDefaults;

void ResetSettings(SettingsRecord& record) { record = kDefaults; }

uint32_t& SettingsNumber(SettingsRecord& record, const SettingsKey& key) {
    return *reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(&record) + key.offset);
}

uint32_t SettingsNumber(const SettingsRecord& record, const SettingsKey& key) {
    return *reinterpret_cast<const uint32_t*>(reinterpret_cast<const char*>(&record) + key.offset);
}

char* SettingsText(SettingsRecord& record, const SettingsKey& key) {
    return reinterpret_cast<char*>(&record) + key.offset;
}

const char* SettingsText(const SettingsRecord& record, const SettingsKey& key) {
    return reinterpret_cast<const char*>(&record) + key.offset;
}

namespace {

constexpr char kRecentKey[] = "FileMenuPath";
constexpr char kEndOfFile = 0x1A;  // Ctrl-Z: text mode stops reading there

// Hands out the lines of a file's text one by one, at most 127 characters
// each, without their line ends.
class LineReader {
public:
    LineReader(const char* text, size_t length) : p_(text), end_(text + length) {}

    // False at the end of the text.
    bool Next(char (&line)[kSettingsLineLimit + 1], size_t& length) {
        if (p_ == end_ || *p_ == kEndOfFile) return false;
        length = 0;
        while (p_ != end_) {
            const char c = *p_;
            if (c == kEndOfFile) break;
            ++p_;
            if (c == '\n') break;
            if (c == '\r' && p_ != end_ && *p_ == '\n') {
                ++p_;
                break;
            }
            if (length < kSettingsLineLimit) line[length++] = c;
        }
        line[length] = 0;
        return true;
    }

private:
    const char* p_;
    const char* end_;
};

// A line split into its key token and its value text (both pointing into
// the line). False for a comment line.
struct KeyLine {
    const char* token;
    size_t tokenLength;
    const char* value;  // terminated
};

bool SplitLine(char* line, size_t length, KeyLine& out) {
    if (length > 0 && line[0] == ';') return false;
    // Control characters end the line: this drops anything after a tab.
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(line[i]) < 32) {
            line[i] = 0;
            length = i;
            break;
        }
    }
    size_t i = 0;
    while (i < length && static_cast<unsigned char>(line[i]) > 32 && line[i] != '=') ++i;
    out.token = line;
    out.tokenLength = i;
    while (line[i] == ' ') ++i;
    while (line[i] == '=') ++i;
    while (line[i] == ' ') ++i;
    out.value = line + i;
    return true;
}

// The leading decimal number of text with an optional sign; no digits give
// 0. Wraps modulo 2^32, so "-1" is 0xFFFFFFFF.
uint32_t ParseNumber(const char* text) {
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<uint32_t>(*text - '0');
    return negative ? 0u - value : value;
}

void CopyText(char* field, const char* text) {
    memset(field, 0, kSettingsTextSize);
    const size_t length = strnlen(text, kSettingsTextSize - 1);
    memcpy(field, text, length);
}

// The first readable row whose name begins with the token; nullptr for none.
const SettingsKey* FindKey(const char* token, size_t length) {
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindWriteOnly) continue;
        if (strlen(key.name) >= length && memcmp(key.name, token, length) == 0) return &key;
    }
    return nullptr;
}

// Appends formatted text to a fixed buffer and remembers whether it all fit.
class TextBuilder {
public:
    TextBuilder(char* out, size_t size) : out_(out), size_(size) {
        if (size_) out_[0] = 0;
    }

#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    void Line(const char* format, ...) {
        if (!ok_) return;
        va_list args;
        va_start(args, format);
        const int n = vsnprintf(out_ + length_, size_ - length_, format, args);
        va_end(args);
        // Room is needed for the text, CR LF and the terminating zero.
        if (n < 0 || static_cast<size_t>(n) + 2 >= size_ - length_) {
            ok_ = false;
            return;
        }
        length_ += static_cast<size_t>(n);
        out_[length_++] = '\r';
        out_[length_++] = '\n';
        out_[length_] = 0;
    }

    size_t Finish() const {
        if (ok_) return length_;
        if (size_) out_[0] = 0;
        return 0;
    }

private:
    char* out_;
    size_t size_;
    size_t length_ = 0;
    bool ok_ = true;
};

void KeyLines(const SettingsRecord& record, TextBuilder& text) {
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) {
            text.Line("%s = %.260s", key.name, SettingsText(record, key));
        } else {
            text.Line("%s = %u", key.name, static_cast<unsigned>(SettingsNumber(record, key)));
        }
    }
}

// Hands the start of a file, at most kMaxSettingsFileBytes, to use while it
// is held in working memory; false (use not called) when it cannot be read.
template <typename Use>
bool WithFileText(const char* path, Use use) {
    PlatFile file = PlatOpenRead(path);
    if (file == kPlatBadFile) return false;
    const int64_t size = PlatFileSize(file);
    if (size < 0) {
        PlatClose(file);
        return false;
    }
    const size_t want =
        static_cast<uint64_t>(size) < kMaxSettingsFileBytes ? static_cast<size_t>(size) : kMaxSettingsFileBytes;
    PlatScratch block(want ? want : 1);
    char* text = reinterpret_cast<char*>(block.get());
    const long got = text ? PlatRead(file, text, want) : -1;
    PlatClose(file);
    if (got < 0) return false;
    use(text, static_cast<size_t>(got));
    return true;
}

// Writes data to a fresh file beside path, then renames it over path.
bool ReplaceFileContents(const char* path, const void* data, size_t length) {
    static const char kSuffix[] = ".tmp";
    char temporary[kPlatMaxPath];
    const size_t pathLength = strlen(path);
    if (pathLength + sizeof kSuffix > sizeof temporary) return false;
    memcpy(temporary, path, pathLength);
    memcpy(temporary + pathLength, kSuffix, sizeof kSuffix);

    PlatFile file = PlatCreate(temporary);
    if (file == kPlatBadFile) return false;
    const bool written = PlatWrite(file, data, length);
    // A close that fails may have lost buffered data.
    const bool closed = PlatClose(file);
    if (written && closed && PlatReplaceFile(temporary, path)) return true;
    PlatDeleteFile(temporary);
    return false;
}

}  // namespace

void ParseSettingsText(const char* text, size_t length, SettingsRecord& record) {
    LineReader reader(text, length);
    char line[kSettingsLineLimit + 1];
    size_t lineLength;
    while (reader.Next(line, lineLength)) {
        KeyLine parts;
        if (!SplitLine(line, lineLength, parts)) continue;
        const SettingsKey* key = FindKey(parts.token, parts.tokenLength);
        if (!key) continue;
        if (key->kinds & kKindText) {
            CopyText(SettingsText(record, *key), parts.value);
        } else {
            SettingsNumber(record, *key) = ParseNumber(parts.value);
        }
    }
}

void ParseRecentDirectories(const char* text, size_t length, RecentDirectories& recent) {
    LineReader reader(text, length);
    char line[kSettingsLineLimit + 1];
    size_t lineLength;
    while (reader.Next(line, lineLength)) {
        KeyLine parts;
        if (!SplitLine(line, lineLength, parts)) continue;
        if (parts.tokenLength < sizeof kRecentKey - 1 || memcmp(parts.token, kRecentKey, sizeof kRecentKey - 1) != 0) {
            continue;
        }
        AddRecentDirectory(recent, parts.value);
    }
}

size_t FormatSettingsKeyLines(const SettingsRecord& record, char* out, size_t size) {
    TextBuilder text(out, size);
    KeyLines(record, text);
    return text.Finish();
}

size_t BuildSettingsText(const SettingsRecord& record, time_t when, const RecentDirectories& recent, char* out,
                         size_t size) {
    const char* stamp = ctime(&when);
    TextBuilder text(out, size);
    text.Line(";Quillmere configuration file");
    text.Line(";Quillmere");
    text.Line(";Last updated %24.24s", stamp ? stamp : "");
    text.Line(";");
    text.Line("[Quillmere]");
    KeyLines(record, text);
    for (int i = 0; i < recent.count; ++i) text.Line("FileMenuPath = %.260s", recent.paths[i]);
    return text.Finish();
}

bool ReadSettingsFile(const char* path, SettingsRecord& record) {
    return WithFileText(path, [&](const char* text, size_t length) { ParseSettingsText(text, length, record); });
}

bool ReadRecentDirectoriesFile(const char* path, RecentDirectories& recent) {
    return WithFileText(path, [&](const char* text, size_t length) { ParseRecentDirectories(text, length, recent); });
}

bool WriteSettingsFile(const char* path, const SettingsRecord& record, time_t when, const RecentDirectories& recent) {
    PlatScratch block(kSettingsTextCapacity);
    char* text = reinterpret_cast<char*>(block.get());
    if (!text) return false;
    const size_t length = BuildSettingsText(record, when, recent, text, kSettingsTextCapacity);
    return length > 0 && ReplaceFileContents(path, text, length);
}

bool SettingsFilePath(char* out, size_t size) {
    char directory[kPlatMaxPath];
    if (size) out[0] = 0;
    return PlatWindowsDirectory(directory, sizeof directory) && JoinPath(out, size, directory, "Quillmere.ini");
}

void LoadSettings() {
    char path[kPlatMaxPath];
    if (SettingsFilePath(path, sizeof path)) ReadSettingsFile(path, g_settings);
}

void LoadRecentDirectories() {
    char path[kPlatMaxPath];
    if (SettingsFilePath(path, sizeof path)) ReadRecentDirectoriesFile(path, g_recent);
}

bool SaveSettingsFile() {
    char path[kPlatMaxPath];
    if (!SettingsFilePath(path, sizeof path)) return false;
    return WriteSettingsFile(path, g_settings, time(nullptr), g_recent);
}
