// Small owners for Windows handles, so every way out of a function frees
// what it made. Windows only.
#pragma once

#include <windows.h>

// A GDI object (font, brush, bitmap) deleted by its creator.
template <typename T>
class GdiObject {
public:
    explicit GdiObject(T handle = nullptr) : handle_(handle) {}
    ~GdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    T handle_;
};

// Selects an object into a device context and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The screen's device context, released on the way out.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context, deleted on the way out.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A global memory block locked for the lifetime of the object.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    unsigned char* get() const { return static_cast<unsigned char*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
};
