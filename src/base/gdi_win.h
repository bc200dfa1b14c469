// Owning wrappers for window-system handles and device-context selections.
#pragma once

#include <windows.h>

#include <utility>

namespace tolvik {

// The width and height of a bitmap (top-down or bottom-up); zero for none.
inline SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP description{};
    if (!bitmap || GetObjectA(bitmap, sizeof description, &description) == 0) return SIZE{0, 0};
    return SIZE{description.bmWidth, description.bmHeight < 0 ? -description.bmHeight : description.bmHeight};
}

// Owns one handle and releases it with `Release` when it goes.
template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle h = Handle{}) {
        if (handle_ != Handle{}) Traits::Release(handle_);
        handle_ = h;
    }

private:
    Handle handle_{};
};

struct GdiObjectTraits {
    static void Release(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    static void Release(HDC h) { DeleteDC(h); }
};
struct IconTraits {
    static void Release(HICON h) { DestroyIcon(h); }
};
struct FileHandleTraits {
    static void Release(HANDLE h) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
struct FindHandleTraits {
    static void Release(HANDLE h) {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
struct RegKeyTraits {
    static void Release(HKEY h) { RegCloseKey(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;

// A window's device context from GetDC (or GetDCEx with `flags`), released
// with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(HWND window, DWORD flags) : window_(window), dc_(GetDCEx(window, nullptr, flags)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a device context's state (clip region, modes, colours) and restores it.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~SavedDcState() {
        if (dc_ && saved_) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace tolvik
