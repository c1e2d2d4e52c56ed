#pragma once
// Owning wrappers for platform handles and COM references, released in the
// scope that acquired them.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>
#include <utility>

template <class H, auto Free>
class TUniqueHandle {
public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(H h) : Value(h) {}
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& o) noexcept : Value(std::exchange(o.Value, H{})) {}
    TUniqueHandle& operator=(TUniqueHandle&& o) noexcept
    {
        if (this != &o) Reset(std::exchange(o.Value, H{}));
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    H Get() const { return Value; }
    H Release() { return std::exchange(Value, H{}); }
    void Reset(H h = H{})
    {
        if (IsValid(Value)) Free(Value);
        Value = h;
    }
    explicit operator bool() const { return IsValid(Value); }

private:
    static bool IsValid(H h)
    {
        if constexpr (std::is_same_v<H, HANDLE>) return h && h != INVALID_HANDLE_VALUE;
        else return h != H{};
    }
    H Value{};
};

inline void FreeGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void FreeKernelHandle(HANDLE h) { CloseHandle(h); }
inline void FreeMenu(HMENU h) { DestroyMenu(h); }
inline void FreeLibraryHandle(HMODULE h) { FreeLibrary(h); }
inline void FreeImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void FreeAccelerators(HACCEL h) { DestroyAcceleratorTable(h); }
inline void FreeIcon(HICON h) { DestroyIcon(h); }
inline void FreeFindHandle(HANDLE h) { FindClose(h); }

using TFontHandle = TUniqueHandle<HFONT, FreeGdiObject>;
using TBitmapHandle = TUniqueHandle<HBITMAP, FreeGdiObject>;
using TBrushHandle = TUniqueHandle<HBRUSH, FreeGdiObject>;
using TFileHandle = TUniqueHandle<HANDLE, FreeKernelHandle>;
using TMenuHandle = TUniqueHandle<HMENU, FreeMenu>;
using TLibraryHandle = TUniqueHandle<HMODULE, FreeLibraryHandle>;
using TImageListHandle = TUniqueHandle<HIMAGELIST, FreeImageList>;
using TAccelHandle = TUniqueHandle<HACCEL, FreeAccelerators>;
using TIconHandle = TUniqueHandle<HICON, FreeIcon>;
using TFindHandle = TUniqueHandle<HANDLE, FreeFindHandle>;

// A window's device context (the screen's for no window) for one scope.
class TWindowDC {
public:
    explicit TWindowDC(HWND wnd) : Wnd(wnd), Dc(GetDC(wnd)) {}
    ~TWindowDC()
    {
        if (Dc) ReleaseDC(Wnd, Dc);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return Dc; }
    explicit operator bool() const { return Dc != nullptr; }

private:
    HWND Wnd;
    HDC Dc;
};

// An object selected into a device context for one scope; the previous one
// goes back when the scope ends.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ object) : Dc(dc), Previous(SelectObject(dc, object)) {}
    ~TSelectObject() { SelectObject(Dc, Previous); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC Dc;
    HGDIOBJ Previous;
};

// BeginPaint and EndPaint around one WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND wnd) : Wnd(wnd), Dc(BeginPaint(wnd, &Paint)) {}
    ~TPaintDC() { EndPaint(Wnd, &Paint); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;
    HDC Get() const { return Dc; }
    const RECT& Dirty() const { return Paint.rcPaint; }

private:
    HWND Wnd;
    PAINTSTRUCT Paint{};
    HDC Dc;
};

// A COM reference that releases itself.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& o) : Ptr(o.Ptr) { if (Ptr) Ptr->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : Ptr(std::exchange(o.Ptr, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept { std::swap(Ptr, o.Ptr); return *this; }
    ~ComPtr() { if (Ptr) Ptr->Release(); }

    T* Get() const { return Ptr; }
    T* operator->() const { return Ptr; }
    explicit operator bool() const { return Ptr != nullptr; }
    // For out parameters: releases what is held first.
    T** Put() { Reset(); return &Ptr; }
    void Reset() { if (Ptr) { Ptr->Release(); Ptr = nullptr; } }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    T* Ptr = nullptr;
};
