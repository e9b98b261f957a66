// The few operating-system services that the window-less core needs.
//
// On Windows these are the classic kernel calls (_lopen, _lread, _llseek,
// _lclose, _lcreat, _lwrite, DeleteFileA, MoveFileA, GlobalAlloc, ...); on
// other systems their POSIX counterparts, so that the core can be built and
// tested natively. Callers see one small, status-returning interface.
#pragma once

#include <cstddef>
#include <cstdint>

// A file handle as _lopen/_lcreat give it; kPlatBadFile on failure.
using PlatFile = intptr_t;
inline constexpr PlatFile kPlatBadFile = -1;

// A movable memory block as GlobalAlloc gives it; nullptr on failure.
using PlatMem = void*;

// The character that joins a directory and a name on this system.
#ifdef _WIN32
inline constexpr char kPlatPathSep = '\\';
#else
inline constexpr char kPlatPathSep = '/';
#endif

inline constexpr size_t kPlatMaxPath = 260;

// Opens an existing file for reading only.
PlatFile PlatOpenRead(const char* path);
// Creates (or truncates) a file with normal attributes, open for writing.
PlatFile PlatCreate(const char* path);
// Opens an existing file for writing, from its start, without truncating
// it. Writing a new file's bytes into an empty file made just before (a
// temporary file name) this way spares the file system the flush that some
// of them start when a truncated file is closed. Counted as an open.
PlatFile PlatOpenWrite(const char* path);
// Reads up to size bytes; returns the count read (less at the end of the
// file) or -1 on error.
long PlatRead(PlatFile file, void* buffer, size_t size);
// Writes size bytes; returns false unless all of them were written.
bool PlatWrite(PlatFile file, const void* buffer, size_t size);
// Moves to an absolute offset from the start of the file.
bool PlatSeek(PlatFile file, uint64_t offset);
// Gives the size of an open file, or -1.
int64_t PlatFileSize(PlatFile file);
// Closes the file; false when the system reports an error (for a file that
// was written, that means the data may not have reached the disk).
bool PlatClose(PlatFile file);

bool PlatDeleteFile(const char* path);
// Copies a file over whatever stands at `to` (CopyFileA). An injected
// failure first copies the file, like a copy that broke off after writing
// part of it, so that callers must clean up after a failed copy.
bool PlatCopyFile(const char* from, const char* to);
// Renames a file; fails when the new name already exists.
bool PlatMoveFile(const char* from, const char* to);
// Renames a file over an existing one (or to a new name). Counted as a move
// for fault injection.
bool PlatReplaceFile(const char* from, const char* to);
// Clears the read-only attribute so the file can be rewritten.
bool PlatClearReadOnly(const char* path);
// Copies the process's current directory into buffer (kPlatMaxPath bytes);
// false leaves the buffer empty.
bool PlatCurrentDirectory(char* buffer, size_t size);
// Copies the Windows directory (no trailing backslash unless it is a drive's
// root) into buffer; false, with an empty buffer, when there is none or it
// does not fit. Systems other than Windows have none.
bool PlatWindowsDirectory(char* buffer, size_t size);

// Two names equal but for letter case, as the system compares them
// (lstrcmpiA on Windows).
bool PlatSameIgnoringCase(const char* a, const char* b);

// Movable, zero-initialised memory, locked only while in use.
PlatMem PlatAlloc(size_t size);
void* PlatLock(PlatMem mem);
void PlatUnlock(PlatMem mem);
void PlatFree(PlatMem mem);

// The hourglass cursor around long operations. PlatBeginWait returns the
// cursor to give back to PlatEndWait.
void* PlatBeginWait();
void PlatEndWait(void* previous);

// Shows the wait cursor for the lifetime of the object.
class PlatWaitCursor {
public:
    PlatWaitCursor() : previous_(PlatBeginWait()) {}
    ~PlatWaitCursor() { PlatEndWait(previous_); }
    PlatWaitCursor(const PlatWaitCursor&) = delete;
    PlatWaitCursor& operator=(const PlatWaitCursor&) = delete;

private:
    void* previous_;
};

// Locks a movable block for the lifetime of the object.
class PlatLocked {
public:
    explicit PlatLocked(PlatMem mem) : mem_(mem), ptr_(mem ? PlatLock(mem) : nullptr) {}
    ~PlatLocked() {
        if (ptr_) PlatUnlock(mem_);
    }
    PlatLocked(const PlatLocked&) = delete;
    PlatLocked& operator=(const PlatLocked&) = delete;
    unsigned char* get() const { return static_cast<unsigned char*>(ptr_); }
    explicit operator bool() const { return ptr_ != nullptr; }

private:
    PlatMem mem_;
    void* ptr_;
};

// A block of working memory, allocated and locked for the lifetime of the
// object; get() is null when either failed.
class PlatScratch {
public:
    explicit PlatScratch(size_t size) : mem_(PlatAlloc(size)), ptr_(mem_ ? PlatLock(mem_) : nullptr) {}
    ~PlatScratch() {
        if (ptr_) PlatUnlock(mem_);
        PlatFree(mem_);
    }
    PlatScratch(const PlatScratch&) = delete;
    PlatScratch& operator=(const PlatScratch&) = delete;
    unsigned char* get() const { return static_cast<unsigned char*>(ptr_); }

private:
    PlatMem mem_;
    void* ptr_;
};

// Fault injection for tests: a build with QM_FAULT_INJECTION lets a test
// make the k-th call of one kind (or of any kind) fail as the system would.
// Copy, RegOpen, RegWrite and LzCopy are the Windows calls of the font
// operations (platform/win32calls.h).
enum class PlatOp {
    Any, Open, Create, Read, Write, Seek, Close, Delete, Move, ClearReadOnly, Alloc, Lock, WindowsDirectory,
    Copy, RegOpen, RegWrite, LzCopy, Count
};

#ifdef QM_FAULT_INJECTION
// Fails the k-th call (1-based) of op counted from now; k = 0 disarms. On
// Windows the failing call reports `error` as its last error (or as its
// result, for the registry).
void PlatFailNth(PlatOp op, unsigned k, unsigned long error = 0);
// Calls of op made since the last PlatFailNth or PlatResetCounts.
unsigned PlatCallCount(PlatOp op);
void PlatResetCounts();
// True when the armed fault has fired.
bool PlatFaultFired();
// The kind of the call that fired the fault.
PlatOp PlatFiredOp();
#endif
