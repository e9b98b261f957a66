// The platform layer's files held in memory: the same calls and the same
// results as the disk backend, without a system call. See memoryfiles.h.
#include "platform/memoryfiles.h"

#include <cstring>
#include <string>
#include <vector>

#include "faults.h"

namespace {

struct MemoryFile {
    std::string path;
    std::vector<unsigned char> bytes;
};

struct OpenFile {
    int file = -1;  // index into files; -1 for a free slot
    size_t position = 0;
};

struct MemoryDisk {
    std::vector<MemoryFile> files;
    std::vector<OpenFile> open;
};

MemoryDisk g_disk;

int Find(const char* path) {
    for (size_t i = 0; i < g_disk.files.size(); ++i) {
        if (g_disk.files[i].path == path) return static_cast<int>(i);
    }
    return -1;
}

PlatFile OpenIndex(int file) {
    for (size_t i = 0; i < g_disk.open.size(); ++i) {
        if (g_disk.open[i].file < 0) {
            g_disk.open[i] = {file, 0};
            return static_cast<PlatFile>(i);
        }
    }
    g_disk.open.push_back({file, 0});
    return static_cast<PlatFile>(g_disk.open.size() - 1);
}

OpenFile* Handle(PlatFile handle) {
    if (handle < 0 || static_cast<size_t>(handle) >= g_disk.open.size()) return nullptr;
    OpenFile* open = &g_disk.open[static_cast<size_t>(handle)];
    return open->file < 0 ? nullptr : open;
}

// A file that is removed while open keeps its bytes for the handle, as an
// unlinked file does.
void Remove(int file) {
    g_disk.files[static_cast<size_t>(file)].path.clear();
}

// A slot for a new file: one whose file was removed and is no longer
// open, else a new one.
int NewSlot(const char* path) {
    for (size_t i = 0; i < g_disk.files.size(); ++i) {
        if (!g_disk.files[i].path.empty()) continue;
        bool open = false;
        for (const OpenFile& handle : g_disk.open) open = open || handle.file == static_cast<int>(i);
        if (open) continue;
        g_disk.files[i].path = path;
        return static_cast<int>(i);
    }
    g_disk.files.push_back({path, {}});
    return static_cast<int>(g_disk.files.size() - 1);
}

}  // namespace

void PlatMemoryPut(const char* path, const void* data, size_t size) {
    int file = path[0] ? Find(path) : -1;
    if (file < 0) file = NewSlot(path);
    const auto* bytes = static_cast<const unsigned char*>(data);
    g_disk.files[static_cast<size_t>(file)].bytes.assign(bytes, bytes + size);
}

bool PlatMemoryGet(const char* path, const unsigned char** data, size_t* size) {
    const int file = Find(path);
    if (file < 0 || path[0] == 0) return false;
    *data = g_disk.files[static_cast<size_t>(file)].bytes.data();
    *size = g_disk.files[static_cast<size_t>(file)].bytes.size();
    return true;
}

void PlatMemoryClear() { g_disk = MemoryDisk{}; }

PlatFile PlatOpenRead(const char* path) {
    if (PlatFaultHit(PlatOp::Open)) return kPlatBadFile;
    const int file = Find(path);
    return file < 0 || path[0] == 0 ? kPlatBadFile : OpenIndex(file);
}

PlatFile PlatOpenWrite(const char* path) {
    return PlatOpenRead(path);
}

PlatFile PlatCreate(const char* path) {
    if (PlatFaultHit(PlatOp::Create) || path[0] == 0) return kPlatBadFile;
    PlatMemoryPut(path, nullptr, 0);
    return OpenIndex(Find(path));
}

long PlatRead(PlatFile handle, void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Read)) return -1;
    OpenFile* open = Handle(handle);
    if (!open) return -1;
    const std::vector<unsigned char>& bytes = g_disk.files[static_cast<size_t>(open->file)].bytes;
    const size_t left = open->position < bytes.size() ? bytes.size() - open->position : 0;
    const size_t n = size < left ? size : left;
    if (n) memcpy(buffer, bytes.data() + open->position, n);
    open->position += n;
    return static_cast<long>(n);
}

bool PlatWrite(PlatFile handle, const void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Write)) return false;
    OpenFile* open = Handle(handle);
    if (!open) return false;
    std::vector<unsigned char>& bytes = g_disk.files[static_cast<size_t>(open->file)].bytes;
    if (bytes.size() < open->position + size) bytes.resize(open->position + size);
    if (size) memcpy(bytes.data() + open->position, buffer, size);
    open->position += size;
    return true;
}

bool PlatSeek(PlatFile handle, uint64_t offset) {
    if (PlatFaultHit(PlatOp::Seek)) return false;
    OpenFile* open = Handle(handle);
    if (!open || offset > 0x7FFFFFFFu) return false;
    open->position = static_cast<size_t>(offset);
    return true;
}

int64_t PlatFileSize(PlatFile handle) {
    if (PlatFaultHit(PlatOp::Seek)) return -1;
    OpenFile* open = Handle(handle);
    return open ? static_cast<int64_t>(g_disk.files[static_cast<size_t>(open->file)].bytes.size()) : -1;
}

bool PlatClose(PlatFile handle) {
    const bool injected = PlatFaultHit(PlatOp::Close);
    OpenFile* open = Handle(handle);
    if (!open) return false;
    open->file = -1;
    return !injected;
}

bool PlatDeleteFile(const char* path) {
    if (PlatFaultHit(PlatOp::Delete)) return false;
    const int file = Find(path);
    if (file < 0 || path[0] == 0) return false;
    Remove(file);
    return true;
}

bool PlatCopyFile(const char* from, const char* to) {
    const bool injected = PlatFaultHit(PlatOp::Copy);
    const int source = Find(from);
    if (source < 0 || from[0] == 0 || to[0] == 0) return false;
    const std::vector<unsigned char> bytes = g_disk.files[static_cast<size_t>(source)].bytes;
    PlatMemoryPut(to, bytes.data(), bytes.size());
    return !injected;
}

bool PlatMoveFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    const int file = Find(from);
    if (file < 0 || from[0] == 0 || to[0] == 0 || Find(to) >= 0) return false;
    g_disk.files[static_cast<size_t>(file)].path = to;
    return true;
}

bool PlatReplaceFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    const int file = Find(from);
    if (file < 0 || from[0] == 0 || to[0] == 0) return false;
    const int old = Find(to);
    if (old >= 0 && old != file) Remove(old);
    g_disk.files[static_cast<size_t>(file)].path = to;
    return true;
}

bool PlatClearReadOnly(const char* path) {
    if (PlatFaultHit(PlatOp::ClearReadOnly)) return false;
    return Find(path) >= 0 && path[0] != 0;
}
