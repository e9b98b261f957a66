// Any bytes as a font file: the reader never crashes, never reads outside a
// buffer, and agrees with the straightforward model of the file layout.
// The file lives in the platform layer's memory backend.
#include <cstdint>
#include <cstring>

#include "platform/memoryfiles.h"
#include "sfntbuilder.h"
#include "truetype/fontnames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char kPath[] = "font.ttf";
    const Bytes font(reinterpret_cast<const char*>(data), size);
    PlatMemoryPut(kPath, data, size);
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    const bool ok = ReadFontNames(display, notice, kPath);
    if (strnlen(display, kFontNameCapacity) == kFontNameCapacity || strnlen(notice, kFontNameCapacity) == kFontNameCapacity)
        __builtin_trap();
    const ModelNames want = ModelReadFontNames(font);
    if (want.ok != ok || want.display != display || want.notice != notice) __builtin_trap();
    return 0;
}
