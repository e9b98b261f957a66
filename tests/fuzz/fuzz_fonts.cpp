// Any bytes as a font file, in the platform layer's memory backend. The reader never crashes, never reads outside a
// buffer, and agrees with the model of the file layout. The rewrite either refuses and leaves the file untouched, or
// succeeds and leaves it well laid out and reading back with the new name; no backup is left either way.
#include <cstdint>
#include <cstring>

#include "platform/memoryfiles.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char kPath[] = "font.ttf", kNewName[] = "Fuzz \xE9 Name";
    static char display[kFontNameCapacity], notice[kFontNameCapacity];  // globals: ASan sees a missing terminator
    const Bytes font(reinterpret_cast<const char*>(data), size);
    PlatMemoryClear();
    PlatMemoryPut(kPath, data, size);
    const ModelNames want = ModelReadFontNames(font);
    if (ReadFontNames(display, notice, kPath) != want.ok || want.display != display || want.notice != notice)
        __builtin_trap();

    const bool ok = RewriteFontName(kNewName, kPath);
    const unsigned char* bytes = nullptr;
    size_t length = 0;
    if (!PlatMemoryGet(kPath, &bytes, &length)) __builtin_trap();
    const Bytes after(reinterpret_cast<const char*>(bytes), length);
    if (PlatMemoryGet("font.ttf.bak", &bytes, &length) || (!ok && after != font)) __builtin_trap();
    if (!ok) return 0;
    // Tables on 4-byte boundaries, checksums right. Only the first naming table counts, for the rewrite and the reader.
    bool hasFullName = false, seenName = false;
    for (const ParsedTable& t : ParseSfnt(after)) {
        if (t.offset % 4 != 0 || t.data.size() != t.length || Checksum(t.data) != t.checksum) __builtin_trap();
        if (t.tag == "name" && !seenName) {
            seenName = true;
            for (const ParsedName& n : ParseNameTable(t.data)) hasFullName |= n.nameId == 4;
        }
    }
    const bool named = ReadFontNames(display, notice, kPath);
    if ((named && strcmp(display, kNewName) != 0) || (hasFullName && !named)) __builtin_trap();
    return 0;
}
