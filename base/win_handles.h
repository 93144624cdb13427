#pragma once
// RAII owners for the Windows handles the program takes. Each closes its
// handle exactly once, on every path out of the scope that took it.

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Traits::IsValid(h_); }
    Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept
    {
        if (Traits::IsValid(h_))
            Traits::Close(h_);
        h_ = h;
    }
    // For APIs that return a handle through an out parameter.
    Handle* put() noexcept
    {
        reset();
        return &h_;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;

struct HKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool IsValid(HKEY h) { return h != nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};
using UniqueHKey = UniqueHandle<HKEY, HKeyTraits>;

template <typename Gdi>
struct GdiObjectTraits {
    static Gdi Invalid() { return nullptr; }
    static bool IsValid(Gdi h) { return h != nullptr; }
    static void Close(Gdi h) { ::DeleteObject(h); }
};
template <typename Gdi>
using UniqueGdiObject = UniqueHandle<Gdi, GdiObjectTraits<Gdi>>;

// A device context the program created (CreateDC, CreateCompatibleDC), as
// opposed to one borrowed from a window with GetDC.
struct CreatedDcTraits {
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC h) { return h != nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};
using UniqueDc = UniqueHandle<HDC, CreatedDcTraits>;

// A window's device context, borrowed with GetDC and given back when the
// scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc()
    {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The device context of one WM_PAINT, taken with BeginPaint and ended with
// EndPaint when the scope ends, whatever the painting does meanwhile.
class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintDc()
    {
        if (dc_)
            ::EndPaint(window_, &paint_);
    }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects a GDI object into a device context and puts the previous one back
// when the scope ends, so that the object can be deleted afterwards. Declare
// it after the object it selects.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object))
    {
        if (previous_ == HGDI_ERROR)
            previous_ = nullptr;
    }
    ~ScopedSelection()
    {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    // False when the selection failed.
    explicit operator bool() const noexcept { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static bool IsValid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<HICON, IconTraits>;

struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static bool IsValid(HWND h) { return h != nullptr; }
    static void Close(HWND h) { ::DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static bool IsValid(HMENU h) { return h != nullptr; }
    static void Close(HMENU h) { ::DestroyMenu(h); }  // submenus go with it
};
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;

struct HookTraits {
    static HHOOK Invalid() { return nullptr; }
    static bool IsValid(HHOOK h) { return h != nullptr; }
    static void Close(HHOOK h) { ::UnhookWindowsHookEx(h); }
};
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;
