#pragma once
// Move-only owners for Win32 handles: each releases its handle exactly once,
// on every path.
#include <windows.h>

#include <utility>

namespace staywick::win32 {

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
    Handle Release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) noexcept {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
template <class H> struct TypedGdiTraits {
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
struct DcTraits {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteDC(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RegCloseKey(h); }
};
struct FontResourceTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::RemoveFontMemResourceEx(h); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FileHandle = UniqueHandle<FileHandleTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using GdiObject = UniqueHandle<GdiObjectTraits>;
using FontHandle = UniqueHandle<TypedGdiTraits<HFONT>>;
using BrushHandle = UniqueHandle<TypedGdiTraits<HBRUSH>>;
using BitmapHandle = UniqueHandle<TypedGdiTraits<HBITMAP>>;
using MemoryDc = UniqueHandle<DcTraits>;
using RegKey = UniqueHandle<RegKeyTraits>;
using FontResource = UniqueHandle<FontResourceTraits>;

// A DC from GetDC, released with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(wnd_, dc_);
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
    ~SelectedObject() { ::SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace staywick::win32
