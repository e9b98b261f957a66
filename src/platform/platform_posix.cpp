// POSIX implementation of the platform layer's files, on the real disk,
// for native builds and tests.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "faults.h"

PlatFile PlatOpenRead(const char* path) {
    if (PlatFaultHit(PlatOp::Open)) return kPlatBadFile;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    return fd < 0 ? kPlatBadFile : fd;
}

PlatFile PlatOpenWrite(const char* path) {
    if (PlatFaultHit(PlatOp::Open)) return kPlatBadFile;
    int fd = open(path, O_WRONLY | O_CLOEXEC);
    return fd < 0 ? kPlatBadFile : fd;
}

PlatFile PlatCreate(const char* path) {
    if (PlatFaultHit(PlatOp::Create)) return kPlatBadFile;
    int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd < 0 ? kPlatBadFile : fd;
}

long PlatRead(PlatFile file, void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Read)) return -1;
    size_t done = 0;
    while (done < size) {
        ssize_t n = read(static_cast<int>(file), static_cast<char*>(buffer) + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<long>(done);
}

bool PlatWrite(PlatFile file, const void* buffer, size_t size) {
    if (PlatFaultHit(PlatOp::Write)) return false;
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(static_cast<int>(file), static_cast<const char*>(buffer) + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool PlatSeek(PlatFile file, uint64_t offset) {
    if (PlatFaultHit(PlatOp::Seek)) return false;
    // The Windows call takes a signed 32-bit offset; keep both builds alike.
    if (offset > 0x7FFFFFFFu) return false;
    return lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

int64_t PlatFileSize(PlatFile file) {
    if (PlatFaultHit(PlatOp::Seek)) return -1;
    struct stat st;
    if (fstat(static_cast<int>(file), &st) != 0) return -1;
    return st.st_size;
}

bool PlatClose(PlatFile file) {
    bool injected = PlatFaultHit(PlatOp::Close);
    // The handle is released even when the call reports an error.
    bool ok = close(static_cast<int>(file)) == 0;
    return ok && !injected;
}

bool PlatDeleteFile(const char* path) {
    if (PlatFaultHit(PlatOp::Delete)) return false;
    return unlink(path) == 0;
}

namespace {

bool CopyBytes(const char* from, const char* to) {
    const int in = open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = open(to, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n == 0) break;
        ok = n > 0 && write(out, buffer, static_cast<size_t>(n)) == n;
    }
    if (out >= 0 && close(out) != 0) ok = false;
    close(in);
    return ok;
}

}  // namespace

bool PlatCopyFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Copy)) {
        CopyBytes(from, to);
        return false;
    }
    return CopyBytes(from, to);
}

bool PlatMoveFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    // MoveFileA refuses to replace an existing file: link() gives the same
    // refusal atomically, then the old name goes.
    if (link(from, to) == 0) {
        if (unlink(from) == 0) return true;
        unlink(to);
        return false;
    }
    if (errno == EEXIST) return false;
    struct stat st;
    if (lstat(to, &st) == 0) return false;
    return rename(from, to) == 0;
}

bool PlatReplaceFile(const char* from, const char* to) {
    if (PlatFaultHit(PlatOp::Move)) return false;
    return rename(from, to) == 0;
}

bool PlatClearReadOnly(const char* path) {
    if (PlatFaultHit(PlatOp::ClearReadOnly)) return false;
    struct stat st;
    if (stat(path, &st) != 0) return false;
    return chmod(path, st.st_mode | S_IWUSR) == 0;
}

