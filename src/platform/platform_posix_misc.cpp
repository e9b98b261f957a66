// The parts of the POSIX platform layer that do not touch files: memory
// blocks, the wait cursor, the current and Windows directories and name
// comparison. Shared by the disk and the in-memory file backends.
#include <stdlib.h>
#include <strings.h>
#include <unistd.h>

#include "faults.h"

namespace {

// A movable block: the data follows the header; the lock count mirrors the
// Windows semantics closely enough for the core's use.
struct MemHeader {
    size_t size;
    unsigned locks;
};

}  // namespace

bool PlatSameIgnoringCase(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

bool PlatCurrentDirectory(char* buffer, size_t size) {
    if (size == 0) return false;
    if (!getcwd(buffer, size)) {
        buffer[0] = 0;
        return false;
    }
    return true;
}

bool PlatWindowsDirectory(char* buffer, size_t size) {
    if (size) buffer[0] = 0;
    PlatFaultHit(PlatOp::WindowsDirectory);
    return false;
}

PlatMem PlatAlloc(size_t size) {
    if (PlatFaultHit(PlatOp::Alloc)) return nullptr;
    auto* h = static_cast<MemHeader*>(calloc(1, sizeof(MemHeader) + size));
    if (!h) return nullptr;
    h->size = size;
    return h;
}

void* PlatLock(PlatMem mem) {
    if (PlatFaultHit(PlatOp::Lock) || !mem) return nullptr;
    auto* h = static_cast<MemHeader*>(mem);
    ++h->locks;
    return h + 1;
}

void PlatUnlock(PlatMem mem) {
    auto* h = static_cast<MemHeader*>(mem);
    if (h && h->locks) --h->locks;
}

void PlatFree(PlatMem mem) { free(mem); }

void* PlatBeginWait() { return nullptr; }

void PlatEndWait(void*) {}
