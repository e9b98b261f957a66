// Windows implementation of the platform layer: the classic kernel calls.
#include <direct.h>
#include <windows.h>

#include "faults.h"

PlatFile PlatOpenRead(const char* path) {
    if (PlatFaultHit(PlatOp::Open)) return kPlatBadFile;
    HFILE f = _lopen(path, OF_READ);
    return f == HFILE_ERROR ? kPlatBadFile : static_cast<PlatFile>(f);
}

PlatFile PlatOpenWrite(const char* path) {
    if (PlatFaultHit(PlatOp::Open)) return kPlatBadFile;
    HFILE f = _lopen(path, OF_WRITE);
    return f == HFILE_ERROR ? kPlatBadFile : static_cast<PlatFile>(f);
}

PlatFile PlatCreate(const char* path) {
    if (PlatFaultHit(PlatOp::Create)) return kPlatBadFile;
    HFILE f = _lcreat(path, 0);
    return f == HFILE_ERROR ? kPlatBadFile : static_cast<PlatFile>(f);
}

long PlatRead(PlatFile file, void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Read)) return -1;
    size_t done = 0;
    // _lread takes a 32-bit count; loop for anything larger.
    while (done < size) {
        UINT chunk = static_cast<UINT>(size - done > 0x40000000u ? 0x40000000u : size - done);
        UINT n = _lread(static_cast<HFILE>(file), static_cast<char*>(buffer) + done, chunk);
        if (n == static_cast<UINT>(HFILE_ERROR)) return -1;
        if (n == 0) break;
        done += n;
    }
    return static_cast<long>(done);
}

bool PlatWrite(PlatFile file, const void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Write)) return false;
    size_t done = 0;
    while (done < size) {
        UINT chunk = static_cast<UINT>(size - done > 0x40000000u ? 0x40000000u : size - done);
        UINT n = _lwrite(static_cast<HFILE>(file), static_cast<const char*>(buffer) + done, chunk);
        if (n != chunk) return false;
        done += n;
    }
    return true;
}

bool PlatSeek(PlatFile file, uint64_t offset) {
    if (PlatFaultHit(PlatOp::Seek)) return false;
    if (offset > 0x7FFFFFFFu) return false;
    LONG want = static_cast<LONG>(offset);
    return _llseek(static_cast<HFILE>(file), want, FILE_BEGIN) == want;
}

int64_t PlatFileSize(PlatFile file) {
    if (PlatFaultHit(PlatOp::Seek)) return -1;
    // Measure with the same call the readers use, then return to where we were.
    LONG here = _llseek(static_cast<HFILE>(file), 0, FILE_CURRENT);
    if (here == HFILE_ERROR) return -1;
    LONG end = _llseek(static_cast<HFILE>(file), 0, FILE_END);
    if (end == HFILE_ERROR) return -1;
    if (_llseek(static_cast<HFILE>(file), here, FILE_BEGIN) != here) return -1;
    return end;
}

bool PlatClose(PlatFile file) {
    bool injected = PlatFaultHit(PlatOp::Close);
    bool ok = _lclose(static_cast<HFILE>(file)) != HFILE_ERROR;
    return ok && !injected;
}

bool PlatDeleteFile(const char* path) {
    if (PlatFaultHit(PlatOp::Delete)) {
        SetLastError(PlatFaultError());
        return false;
    }
    return DeleteFileA(path) != 0;
}

bool PlatCopyFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Copy)) {
        CopyFileA(from, to, FALSE);
        SetLastError(PlatFaultError());
        return false;
    }
    return CopyFileA(from, to, FALSE) != 0;
}

bool PlatSameIgnoringCase(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

bool PlatMoveFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    return MoveFileA(from, to) != 0;
}

bool PlatReplaceFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // The Windows 95 family has no MoveFileExA: make room, then rename. A
    // failure between the two steps loses the old file, but only there.
    if (!DeleteFileA(to) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    return MoveFileA(from, to) != 0;
}

bool PlatClearReadOnly(const char* path) {
    if (PlatFaultHit(PlatOp::ClearReadOnly)) return false;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)) != 0;
}

bool PlatCurrentDirectory(char* buffer, size_t size) {
    if (size == 0) return false;
    if (!_getcwd(buffer, static_cast<int>(size))) {
        buffer[0] = 0;
        return false;
    }
    return true;
}

bool PlatWindowsDirectory(char* buffer, size_t size) {
    if (size == 0) return false;
    buffer[0] = 0;
    if (PlatFaultHit(PlatOp::WindowsDirectory)) return false;
    const UINT capacity = static_cast<UINT>(size > 0x7FFFFFFFu ? 0x7FFFFFFFu : size);
    const UINT length = GetWindowsDirectoryA(buffer, capacity);
    // A result of the buffer's size or more is the size it would need.
    if (length == 0 || length >= capacity) {
        buffer[0] = 0;
        return false;
    }
    return true;
}

PlatMem PlatAlloc(size_t size) {
    if (PlatFaultHit(PlatOp::Alloc)) return nullptr;
    return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
}

void* PlatLock(PlatMem mem) {
    if (PlatFaultHit(PlatOp::Lock) || !mem) return nullptr;
    return GlobalLock(static_cast<HGLOBAL>(mem));
}

void PlatUnlock(PlatMem mem) { GlobalUnlock(static_cast<HGLOBAL>(mem)); }

void PlatFree(PlatMem mem) {
    if (mem) GlobalFree(static_cast<HGLOBAL>(mem));
}

void* PlatBeginWait() { return SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void PlatEndWait(void* previous) {
    if (previous) SetCursor(static_cast<HCURSOR>(previous));
}
