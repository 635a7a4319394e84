#pragma once
// Move-only owners for Win32 handles: each releases its handle exactly once,
// on every path. One template; each handle kind is a one-line alias naming
// its type and its release function.
#include <windows.h>

#include <utility>

namespace staywick::win32 {

// `Close` releases a handle; `MinusOneIsEmpty` is for the kinds whose "no
// handle" value is INVALID_HANDLE_VALUE (file handles) instead of null.
template <class H, auto Close, bool MinusOneIsEmpty = false> class UniqueHandle {
public:
    using Handle = H;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Empty(); }
    Handle Release() noexcept { return std::exchange(h_, Empty()); }
    void Reset(Handle h = Empty()) noexcept {
        Handle old = std::exchange(h_, h);
        if (old != Empty())
            Close(old);
    }
    // For a function's out-parameter: releases what is held and hands over
    // the slot, so the new handle is owned from the moment it exists.
    Handle* Put() noexcept {
        Reset();
        return &h_;
    }

    static Handle Empty() noexcept {
        if constexpr (MinusOneIsEmpty) {
            return INVALID_HANDLE_VALUE;
        } else {
            return nullptr;
        }
    }

private:
    Handle h_ = Empty();
};

using KernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;
using FileHandle = UniqueHandle<HANDLE, &::CloseHandle, true>;
using IconHandle = UniqueHandle<HICON, &::DestroyIcon>;
using MenuHandle = UniqueHandle<HMENU, &::DestroyMenu>;
using WindowHandle = UniqueHandle<HWND, &::DestroyWindow>;
using GdiObject = UniqueHandle<HGDIOBJ, &::DeleteObject>;
using FontHandle = UniqueHandle<HFONT, &::DeleteObject>;
using BrushHandle = UniqueHandle<HBRUSH, &::DeleteObject>;
using BitmapHandle = UniqueHandle<HBITMAP, &::DeleteObject>;
using MemoryDc = UniqueHandle<HDC, &::DeleteDC>;
using RegKey = UniqueHandle<HKEY, &::RegCloseKey>;
using FontResource = UniqueHandle<HANDLE, &::RemoveFontMemResourceEx>;

// A DC from GetDC (of a window, or of the screen for nullptr), released with
// ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ~WindowDc() {
        if (dc_)
            ::ReleaseDC(wnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// Restores the object a DC had selected before.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~SelectedObject() {
        if (old_)
            ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace staywick::win32
