// Any bytes as a font file to rename: either the rewrite refuses and the
// file is untouched, or it succeeds and the file is well laid out and reads
// back with the new name.
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "sfntbuilder.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/qm-fuzz-rewrite-" + std::to_string(getpid()) + ".ttf";
    static const std::string backup = path + ".bak";
    static const char kNewName[] = "Fuzz \xE9 Name";
    const Bytes font(reinterpret_cast<const char*>(data), size);
    if (!WriteFile(path, font)) return 0;
    const bool ok = RewriteFontName(kNewName, path.c_str());
    const Bytes after = ReadFileBytes(path);
    if (FileExists(backup)) __builtin_trap();
    if (!ok) {
        if (after != font) __builtin_trap();
        return 0;
    }
    // Tables on 4-byte boundaries, checksums right.
    // Only the first naming table counts, for the rewrite and the reader.
    bool hasFullName = false, seenName = false;
    for (const ParsedTable& t : ParseSfnt(after)) {
        if (t.offset % 4 != 0 || t.data.size() != t.length || Checksum(t.data) != t.checksum) __builtin_trap();
        if (t.tag == "name" && !seenName) {
            seenName = true;
            for (const ParsedName& n : ParseNameTable(t.data)) hasFullName |= n.nameId == 4;
        }
    }
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    const bool named = ReadFontNames(display, notice, path.c_str());
    if (named && strcmp(display, kNewName) != 0) __builtin_trap();
    if (hasFullName && !named) __builtin_trap();
    return 0;
}
