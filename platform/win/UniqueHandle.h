#pragma once
// One move-only owner for every kind of Win32 handle, so a handle is released exactly once
// on every path out of a scope.

#include <windows.h>

#include <utility>

namespace zelora::win {

template <typename T>
constexpr T NullHandle() { return T{}; }

// `Invalid` gives the value that means "no handle": null for most kinds, INVALID_HANDLE_VALUE
// for files (a function, since that value is no constant expression).
template <typename T, auto Close, auto Invalid = NullHandle<T>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Invalid(); }
    T* Put()
    {
        Reset();
        return &m_handle;
    }
    T Release() { return std::exchange(m_handle, Invalid()); }
    void Reset() { Reset(Invalid()); }
    void Reset(T handle)
    {
        if (m_handle != Invalid()) Close(m_handle);
        m_handle = handle;
    }

private:
    T m_handle = Invalid();
};

inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void FreeLocalMemory(HLOCAL memory) { ::LocalFree(memory); }
inline HANDLE InvalidFileHandle() { return INVALID_HANDLE_VALUE; }

using UniqueKey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
// What CreateFile gives: INVALID_HANDLE_VALUE, not null, when it fails.
using UniqueFile = UniqueHandle<HANDLE, CloseKernelHandle, InvalidFileHandle>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;
// What the system allocates for the caller to LocalFree (merged ACLs, converted descriptors).
using UniqueLocalMemory = UniqueHandle<HLOCAL, FreeLocalMemory>;

// A window's device context outside painting (GetDC), released with the owner.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// The device context of one WM_PAINT (BeginPaint), ended with the owner.
class PaintDc {
public:
    explicit PaintDc(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
    ~PaintDc() { ::EndPaint(m_window, &m_paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const { return m_dc; }
    const RECT& Invalid() const { return m_paint.rcPaint; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// Selects a GDI object into a device context for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectGuard() { ::SelectObject(m_dc, m_previous); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace zelora::win
