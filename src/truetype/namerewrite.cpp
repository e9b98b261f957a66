// The naming-table rewrite.
//
// The whole font is read into memory with one read, and every table is
// seen through its directory entry; the naming table is rebuilt, with the
// new name, in a movable block of its own. The new font is then laid out in
// one buffer and written with one write: over the file itself (moved to its
// backup name first, the backup deleted after) or into another file. For
// the rewrite in place, anything that goes wrong before the backup leaves
// the file untouched and anything after it puts the backup back. A damaged
// naming table is refused before any file is touched.
//
// Unchanged tables are not copied into blocks of their own, and the file
// and output buffers are kept between rewrites (see ScratchBuffer).
#include "truetype/namerewrite.h"

#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "truetype/sfnt.h"

namespace {

constexpr size_t kMaxNewNameChars = 1024;
constexpr uint32_t kMaxStorage = 0xFFFF;
// Larger than any real font; keeps a single read within what the system
// call can report.
constexpr int64_t kMaxFontBytes = int64_t{1} << 30;

// Bytes of a table block: entry, table, padding to a multiple of 4.
size_t BlockSize(uint32_t tableLength) { return kSfntEntrySize + ((size_t{tableLength} + 3) & ~size_t{3}); }

size_t Padded(uint32_t length) { return (size_t{length} + 3) & ~size_t{3}; }

// Working memory kept from one rewrite to the next. Sample drawing
// rewrites a copy of every font it shows, and a fresh buffer of a font's
// size costs more than the rest of a rewrite on some systems; the buffers
// only grow, to the largest font seen.
struct ScratchBuffer {
    unsigned char* data = nullptr;
    size_t capacity = 0;

    unsigned char* Get(size_t size) {
        if (size > capacity) {
            unsigned char* grown = static_cast<unsigned char*>(malloc(size));
            if (!grown) return nullptr;
            free(data);
            data = grown;
            capacity = size;
        }
        return data;
    }
};

ScratchBuffer g_fileBuffer;
ScratchBuffer g_outputBuffer;

// Everything one rewrite holds; freed once on every way out.
struct FontImage {
    unsigned char* file = nullptr;  // the font as read (scratch memory)
    size_t size = 0;
    unsigned tableCount = 0;
    int nameIndex = -1;             // the naming table that was rebuilt
    PlatMem nameBlock = nullptr;    // its directory entry and new bytes

    const unsigned char* Entry(unsigned i) const { return file + kSfntHeaderSize + size_t{kSfntEntrySize} * i; }

    ~FontImage() { PlatFree(nameBlock); }
};

// Reads the whole file and checks that every table lies inside it, as
// reading each table on its own would.
bool ReadTables(PlatFile file, FontImage& image) {
    const int64_t fileSize = PlatFileSize(file);
    if (fileSize < static_cast<int64_t>(kSfntHeaderSize) || fileSize > kMaxFontBytes) return false;
    image.size = static_cast<size_t>(fileSize);
    image.file = g_fileBuffer.Get(image.size);
    if (!image.file) return false;
    if (!PlatSeek(file, 0) || PlatRead(file, image.file, image.size) != static_cast<long>(image.size)) return false;
    image.tableCount = GetU16(image.file + 4);
    if (kSfntHeaderSize + size_t{kSfntEntrySize} * image.tableCount > image.size) return false;
    for (unsigned i = 0; i < image.tableCount; ++i) {
        const unsigned char* entry = image.Entry(i);
        if (uint64_t{GetU32(entry + 8)} + GetU32(entry + 12) > image.size) return false;
    }
    return true;
}

// Builds the new naming table from the old one. Returns the new block, or
// nullptr when the table is damaged (a record or string outside it) or the
// new strings would not fit the 16-bit offsets.
PlatMem BuildNamingTable(const unsigned char* oldEntry, const unsigned char* oldTable, const char* newName) {
    const uint32_t oldLength = GetU32(oldEntry + 12);
    if (oldLength < kNameHeaderSize) return nullptr;
    const uint16_t count = GetU16(oldTable + 2);
    const uint16_t oldStorage = GetU16(oldTable + 4);
    const uint32_t recordsEnd = kNameHeaderSize + uint32_t{kNameRecordSize} * count;
    if (recordsEnd > oldLength) return nullptr;

    const size_t nameBytes = strlen(newName);
    const size_t nameChars = nameBytes < kMaxNewNameChars ? nameBytes : kMaxNewNameChars;

    // First pass: check every string lies in the table and size the new one.
    uint32_t storage = 0;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* record = oldTable + kNameHeaderSize + kNameRecordSize * i;
        const uint16_t platform = GetU16(record + 0);
        const uint16_t nameId = GetU16(record + 6);
        const uint16_t length = GetU16(record + 8);
        const uint16_t offset = GetU16(record + 10);
        if (uint32_t{oldStorage} + offset + length > oldLength) return nullptr;
        if (nameId == 1 || nameId == 4) {
            storage += static_cast<uint32_t>(platform == 3 ? 2 * nameChars : nameBytes);
        } else {
            storage += length;
        }
        if (storage > kMaxStorage) return nullptr;
    }

    const uint32_t newLength = recordsEnd + storage;
    PlatMem mem = PlatAlloc(BlockSize(newLength));
    if (!mem) return nullptr;
    PlatLocked block(mem);
    if (!block) {
        PlatFree(mem);
        return nullptr;
    }
    unsigned char* entry = block.get();
    unsigned char* table = entry + kSfntEntrySize;
    memcpy(entry, oldEntry, kSfntEntrySize);
    PutU32(entry + 12, newLength);
    PutU16(table + 0, GetU16(oldTable + 0));
    PutU16(table + 2, count);
    PutU16(table + 4, static_cast<uint16_t>(recordsEnd));

    // Second pass: every record gets its own copy of its string, laid out in
    // record order.
    uint32_t running = 0;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* oldRecord = oldTable + kNameHeaderSize + kNameRecordSize * i;
        unsigned char* newRecord = table + kNameHeaderSize + kNameRecordSize * i;
        const uint16_t platform = GetU16(oldRecord + 0);
        const uint16_t nameId = GetU16(oldRecord + 6);
        unsigned char* out = table + recordsEnd + running;
        uint32_t length;
        if (nameId == 1 || nameId == 4) {
            if (platform == 3) {
                // Each ANSI byte becomes the code unit of the same value.
                for (size_t c = 0; c < nameChars; ++c) {
                    PutU16(out + 2 * c, static_cast<unsigned char>(newName[c]));
                }
                length = static_cast<uint32_t>(2 * nameChars);
            } else {
                memcpy(out, newName, nameBytes);
                length = static_cast<uint32_t>(nameBytes);
            }
        } else {
            length = GetU16(oldRecord + 8);
            memcpy(out, oldTable + oldStorage + GetU16(oldRecord + 10), length);
        }
        memcpy(newRecord, oldRecord, 8);
        PutU16(newRecord + 8, static_cast<uint16_t>(length));
        PutU16(newRecord + 10, static_cast<uint16_t>(running));
        running += length;
    }
    return mem;
}

// Rebuilds the first naming table. A font with no naming table is left as
// it is.
bool RenameInImage(FontImage& image, const char* newName) {
    for (unsigned i = 0; i < image.tableCount; ++i) {
        const unsigned char* entry = image.Entry(i);
        if (!IsNameTag(entry)) continue;
        image.nameBlock = BuildNamingTable(entry, image.file + GetU32(entry + 8), newName);
        image.nameIndex = static_cast<int>(i);
        return image.nameBlock != nullptr;
    }
    return true;
}

// Copies a table to out, zero-padded to a multiple of 4 bytes, and returns
// its checksum. Copying and summing in one pass spares a large font a
// second trip through memory.
uint32_t CopyTable(unsigned char* out, const unsigned char* data, uint32_t length) {
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        memcpy(&word, data + i, 8);
        memcpy(out + i, &word, 8);
        if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
        sum += static_cast<uint32_t>(word >> 32) + static_cast<uint32_t>(word);
    }
    memcpy(out + i, data + i, length - i);
    memset(out + length, 0, Padded(length) - length);
    for (; i < length; i += 4) sum += GetU32(out + i);
    return sum;
}

// Lays the image out in one buffer (offset table, directory, tables each
// padded to a multiple of 4) and writes it with one write.
bool WriteImage(const FontImage& image, PlatFile file) {
    PlatLocked name(image.nameBlock);
    if (image.nameBlock && !name) return false;
    // Each table as it will be written: its entry and its bytes.
    auto table = [&](unsigned i, const unsigned char** entry, const unsigned char** data) {
        const bool rebuilt = static_cast<int>(i) == image.nameIndex;
        *entry = rebuilt ? name.get() : image.Entry(i);
        *data = rebuilt ? name.get() + kSfntEntrySize : image.file + GetU32(*entry + 8);
    };
    const size_t directoryBytes = size_t{kSfntEntrySize} * image.tableCount;
    size_t total = kSfntHeaderSize + directoryBytes;
    for (unsigned i = 0; i < image.tableCount; ++i) {
        const unsigned char *entry, *data;
        table(i, &entry, &data);
        total += Padded(GetU32(entry + 12));
    }
    unsigned char* bytes = g_outputBuffer.Get(total);
    if (!bytes) return false;
    memcpy(bytes, image.file, kSfntHeaderSize);
    size_t position = kSfntHeaderSize + directoryBytes;
    for (unsigned i = 0; i < image.tableCount; ++i) {
        const unsigned char *entry, *data;
        table(i, &entry, &data);
        const uint32_t length = GetU32(entry + 12);
        unsigned char* out = bytes + kSfntHeaderSize + size_t{kSfntEntrySize} * i;
        memcpy(out, entry, 4);
        PutU32(out + 4, CopyTable(bytes + position, data, length));
        PutU32(out + 8, static_cast<uint32_t>(position));
        PutU32(out + 12, length);
        position += Padded(length);
    }
    return PlatWrite(file, bytes, total);
}

// Writes the font as read with the rebuilt naming table appended after it
// and its directory entry pointing there: one write of the file's own
// bytes, no copy of its tables. The old naming table stays behind as bytes
// nothing points at, and the font's whole-file checksum is not recomputed:
// this is for a private copy that only the font loader reads, and for a
// font of several megabytes the copying and summing would cost more than
// loading and drawing it.
bool WriteImageAppended(FontImage& image, PlatFile file) {
    if (image.nameIndex < 0) return PlatWrite(file, image.file, image.size);
    PlatLocked name(image.nameBlock);
    if (!name) return false;
    const uint32_t length = GetU32(name.get() + 12);
    const size_t start = Padded(static_cast<uint32_t>(image.size));
    if (start + length > static_cast<size_t>(kMaxFontBytes)) return false;
    const size_t tail = start - image.size + Padded(length);
    unsigned char* bytes = g_outputBuffer.Get(tail);
    if (!bytes) return false;
    memset(bytes, 0, tail);
    memcpy(bytes + (start - image.size), name.get() + kSfntEntrySize, length);
    unsigned char* entry = image.file + kSfntHeaderSize + size_t{kSfntEntrySize} * static_cast<unsigned>(image.nameIndex);
    PutU32(entry + 4, SfntTableChecksum(name.get() + kSfntEntrySize, length));
    PutU32(entry + 8, static_cast<uint32_t>(start));
    PutU32(entry + 12, length);
    return PlatWrite(file, image.file, image.size) && PlatWrite(file, bytes, tail);
}

// Reads the font at path and rebuilds its naming table with newName. False
// when it cannot be read whole or a table is damaged; path is only read.
bool LoadRenamed(const char* newName, const char* path, FontImage& image) {
    PlatFile in = PlatOpenRead(path);
    if (in == kPlatBadFile) return false;
    const bool read = ReadTables(in, image);
    // Any complaint from the system while reading stops us before a file is
    // written.
    const bool closedIn = PlatClose(in);
    return read && closedIn && RenameInImage(image, newName);
}

// Puts the backup back in place of a partly written file.
void RestoreBackup(const char* path, const char* backup) {
    PlatDeleteFile(path);
    PlatMoveFile(backup, path);
}

}  // namespace

uint32_t SfntTableChecksum(const unsigned char* data, size_t length) {
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 4 <= length; i += 4) sum += GetU32(data + i);
    if (i < length) {
        unsigned char last[4] = {};
        memcpy(last, data + i, length - i);
        sum += GetU32(last);
    }
    return sum;
}

bool RewriteFontName(const char* newName, const char* path) {
    PlatWaitCursor wait;

    char backup[kPlatMaxPath];
    const size_t pathLength = strlen(path);
    if (pathLength + 5 > sizeof backup) return false;
    memcpy(backup, path, pathLength);
    memcpy(backup + pathLength, ".bak", 5);

    FontImage image;
    if (!LoadRenamed(newName, path, image)) return false;

    // From here the original exists only as the backup until the new file is
    // complete. Without a backup nothing is written.
    PlatDeleteFile(backup);
    if (!PlatMoveFile(path, backup)) return false;

    PlatFile out = PlatCreate(path);
    if (out == kPlatBadFile) {
        RestoreBackup(path, backup);
        return false;
    }
    const bool written = WriteImage(image, out);
    // A close that fails may have lost buffered data: treat it as a failed write.
    const bool closed = PlatClose(out);
    if (!written || !closed) {
        RestoreBackup(path, backup);
        return false;
    }
    PlatDeleteFile(backup);
    return true;
}

bool RewriteFontNameInto(const char* newName, const char* source, const char* destination) {
    FontImage image;
    if (!LoadRenamed(newName, source, image)) return false;

    // The destination is normally the empty file that the temporary name
    // was made with: write into it as it is. Truncating it instead makes
    // some file systems flush the new bytes to the disk when it is closed,
    // and then deleting the copy a moment later costs a disk operation too.
    PlatFile out = PlatOpenWrite(destination);
    if (out != kPlatBadFile && PlatFileSize(out) != 0) {
        // Not empty (or of unknown size): older bytes could outlast ours.
        PlatClose(out);
        out = kPlatBadFile;
    }
    if (out == kPlatBadFile) out = PlatCreate(destination);
    if (out == kPlatBadFile) return false;
    const bool written = WriteImageAppended(image, out);
    // A close that fails may have lost buffered data: treat it as a failed write.
    const bool closed = PlatClose(out);
    if (written && closed) return true;
    PlatDeleteFile(destination);
    return false;
}
