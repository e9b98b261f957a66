// Any bytes as a font file to rename: either the rewrite refuses and the
// file is untouched, or it succeeds and the file is well laid out and reads
// back with the new name; no backup is left either way. The files live in
// the platform layer's memory backend.
#include <cstdint>
#include <cstring>

#include "platform/memoryfiles.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char kPath[] = "font.ttf", kNewName[] = "Fuzz \xE9 Name";
    PlatMemoryClear();
    PlatMemoryPut(kPath, data, size);
    const bool ok = RewriteFontName(kNewName, kPath);
    const unsigned char* bytes = nullptr;
    size_t length = 0;
    if (!PlatMemoryGet(kPath, &bytes, &length)) __builtin_trap();
    const Bytes after(reinterpret_cast<const char*>(bytes), length);
    if (PlatMemoryGet("font.ttf.bak", &bytes, &length)) __builtin_trap();
    if (!ok) {
        if (after != Bytes(reinterpret_cast<const char*>(data), size)) __builtin_trap();
        return 0;
    }
    // Tables on 4-byte boundaries, checksums right. Only the first naming
    // table counts, for the rewrite and the reader.
    bool hasFullName = false, seenName = false;
    for (const ParsedTable& t : ParseSfnt(after)) {
        if (t.offset % 4 != 0 || t.data.size() != t.length || Checksum(t.data) != t.checksum) __builtin_trap();
        if (t.tag == "name" && !seenName) {
            seenName = true;
            for (const ParsedName& n : ParseNameTable(t.data)) hasFullName |= n.nameId == 4;
        }
    }
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    const bool named = ReadFontNames(display, notice, kPath);
    if ((named && strcmp(display, kNewName) != 0) || (hasFullName && !named)) __builtin_trap();
    return 0;
}
