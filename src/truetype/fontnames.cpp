// The TrueType reader: a font file's full name and notice.
//
// The reader walks the offset table, the table directory up to the naming
// table and every name record, reading strings only for the records that can
// still change the outcome. Its reads go through two small windows (one for
// the structures, one for the strings) so that a typical file costs two or
// three system reads; the result is exactly what reading each structure on
// its own would give: a read is short when the bytes are not all in the file.
#include "truetype/fontnames.h"

#include <cstdlib>
#include <cstring>

#include "platform/paths.h"
#include "platform/platform.h"
#include "truetype/sfnt.h"

namespace {

constexpr size_t kWindowSize = 4096;
constexpr size_t kMaxStringBytes = 1024;
constexpr int kSlotCount = 4;

// A cached stretch of the file. Read() serves a request from it when every
// byte is there, otherwise refills it at the requested offset.
struct FileWindow {
    uint64_t start = 0;
    size_t have = 0;
    bool valid = false;
    unsigned char bytes[kWindowSize];
};

struct Reader {
    PlatFile file = kPlatBadFile;
    uint64_t position = 0;  // where the file stands, so a seek there is skipped
    FileWindow structures;
    FileWindow strings;

    static bool Holds(const FileWindow& window, uint64_t offset, size_t n) {
        return window.valid && offset >= window.start && offset + n <= window.start + window.have;
    }

    // Copies n bytes at offset into out; false on a short read. Bytes that
    // either window holds are served from it; otherwise the given window
    // moves to the offset.
    bool Read(FileWindow& window, uint64_t offset, void* out, size_t n) {
        if (n == 0) return true;
        FileWindow& other = &window == &structures ? strings : structures;
        if (Holds(other, offset, n)) {
            memcpy(out, other.bytes + (offset - other.start), n);
            return true;
        }
        if (!Holds(window, offset, n)) {
            window.valid = false;
            if (n > kWindowSize) return ReadAt(offset, out, n) == static_cast<long>(n);
            long got = ReadAt(offset, window.bytes, kWindowSize);
            if (got < 0) return false;
            window.start = offset;
            window.have = static_cast<size_t>(got);
            window.valid = true;
            if (window.have < n) return false;
        }
        memcpy(out, window.bytes + (offset - window.start), n);
        return true;
    }

    // Reads up to n bytes at offset; -1 when the seek or the read fails.
    long ReadAt(uint64_t offset, void* out, size_t n) {
        if (offset != position && !PlatSeek(file, offset)) return -1;
        long got = PlatRead(file, out, n);
        position = got < 0 ? ~uint64_t{0} : offset + static_cast<uint64_t>(got);
        return got;
    }

    // Reads one record's string into target (kFontNameCapacity bytes):
    // Microsoft strings as big-endian code units mapped to ANSI, every other
    // platform's bytes as they are.
    bool ReadString(uint64_t storage, uint16_t platform, uint16_t length, uint16_t offset, char* target) {
        size_t n = length < kMaxStringBytes ? length : kMaxStringBytes;
        unsigned char raw[kMaxStringBytes];
        if (platform == 3) {
            size_t units = n / 2;
            if (!Read(strings, storage + offset, raw, units * 2)) return false;
            for (size_t i = 0; i < units; ++i) {
                target[i] = static_cast<char>(MapUnicodeToAnsi(GetU16(raw + 2 * i)));
            }
            target[units] = 0;
        } else {
            if (!Read(strings, storage + offset, raw, n)) return false;
            memcpy(target, raw, n);
            target[n] = 0;
        }
        return true;
    }
};

// Reads the names; the caller closes the file.
bool ReadNamesFromOpenFile(Reader& reader, char slots[kSlotCount][kFontNameCapacity], char* notice) {
    unsigned char header[kSfntHeaderSize];
    if (!reader.Read(reader.structures, 0, header, sizeof header)) return false;
    const unsigned tableCount = GetU16(header + 4);

    uint64_t nameOffset = 0;
    bool found = false;
    for (unsigned i = 0; i < tableCount && !found; ++i) {
        unsigned char entry[kSfntEntrySize];
        if (!reader.Read(reader.structures, kSfntHeaderSize + uint64_t{i} * kSfntEntrySize, entry, sizeof entry)) {
            return false;
        }
        if (IsNameTag(entry)) {
            nameOffset = GetU32(entry + 8);
            found = true;
        }
    }
    if (!found) return false;

    unsigned char nameHeader[kNameHeaderSize];
    if (!reader.Read(reader.structures, nameOffset, nameHeader, sizeof nameHeader)) return false;
    const unsigned count = GetU16(nameHeader + 2);
    // The strings follow the last record; the header's own storage offset is
    // not trusted.
    const uint64_t records = nameOffset + kNameHeaderSize;
    const uint64_t storage = records + uint64_t{kNameRecordSize} * count;

    for (unsigned i = 0; i < count; ++i) {
        unsigned char record[kNameRecordSize];
        if (!reader.Read(reader.structures, records + uint64_t{i} * kNameRecordSize, record, sizeof record)) {
            return false;
        }
        const uint16_t platform = GetU16(record + 0);
        const uint16_t nameId = GetU16(record + 6);
        const uint16_t length = GetU16(record + 8);
        const uint16_t offset = GetU16(record + 10);
        char* slot = slots[platform < 3 ? platform : 3];
        if (slot[0] == 0 && nameId == 4 && !reader.ReadString(storage, platform, length, offset, slot)) return false;
        if (notice[0] == 0 && (nameId == 0 || nameId == 7) &&
            !reader.ReadString(storage, platform, length, offset, notice)) {
            return false;
        }
    }
    return true;
}

}  // namespace

unsigned char MapUnicodeToAnsi(uint16_t codeUnit) {
    static const struct {
        uint16_t unit;
        unsigned char byte;
    } kMap[] = {
        {0x2013, 0x96}, {0x2014, 0x97}, {0x2017, 0x5F}, {0x2018, 0x91}, {0x2019, 0x92},
        {0x201C, 0x93}, {0x201D, 0x94}, {0x2020, 0x86}, {0x2021, 0x87}, {0x2022, 0x95},
        {0x2122, 0x99}, {0x201A, 0x82}, {0x2026, 0x85}, {0x2030, 0x89},
    };
    for (const auto& m : kMap) {
        if (m.unit == codeUnit) return m.byte;
    }
    return static_cast<unsigned char>(codeUnit & 0xFF);
}

bool ReadFontNames(char* displayName, char* notice, const char* path) {
    displayName[0] = 0;
    notice[0] = 0;

    // Heap, not stack: the reader's windows and slots come to about 20 KB.
    struct Work {
        Reader reader;
        char slots[kSlotCount][kFontNameCapacity];
    };
    PlatScratch memory(sizeof(Work));
    Work* work = reinterpret_cast<Work*>(memory.get());
    if (!work) return false;
    work->reader.position = 0;
    work->reader.structures.valid = false;
    work->reader.strings.valid = false;
    for (auto& slot : work->slots) slot[0] = 0;
    work->reader.file = PlatOpenRead(path);
    if (work->reader.file == kPlatBadFile) return false;
    bool complete = ReadNamesFromOpenFile(work->reader, work->slots, notice);
    PlatClose(work->reader.file);
    if (complete) {
        // Microsoft first, then ISO, Macintosh and Unicode.
        for (int slot = 3; slot >= 0; --slot) {
            if (work->slots[slot][0] != 0) {
                memcpy(displayName, work->slots[slot], kFontNameCapacity);
                break;
            }
        }
    }
    return displayName[0] != 0;
}

void NormalizeNoticeText(char* text, size_t capacity) {
    if (capacity == 0) return;
    size_t length = strlen(text);
    PlatScratch memory(length + 16);
    unsigned char* copy = memory.get();
    if (!copy) return;
    memcpy(copy, text, length + 1);
    size_t o = 0;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = copy[i];
        if (c == 13) {
            if (o + 1 < capacity) text[o++] = 13;
            if (o + 1 < capacity) text[o++] = 10;
        } else if (c == 9) {
            if (o + 1 < capacity) text[o++] = ' ';
        } else if (c >= 32) {
            if (o + 1 < capacity) text[o++] = static_cast<char>(c);
        }
    }
    text[o] = 0;
}

const char* PathInCurrentDirectory(const char* name) {
    static char buffer[kPlatMaxPath];
    char directory[kPlatMaxPath];
    CurrentDirectoryWithSeparator(directory, sizeof directory);
    // A path too long comes back empty, which opens nothing: a cut one
    // would name another file.
    JoinPath(buffer, sizeof buffer, directory, name);
    return buffer;
}
