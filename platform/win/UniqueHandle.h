#pragma once
// One move-only owner for every kind of Win32 handle, so a handle is released exactly once
// on every path out of a scope.

#include <windows.h>

#include <utility>

namespace zelora::win {

template <typename T, auto Close, T Invalid = T{}>
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
    explicit operator bool() const { return m_handle != Invalid; }
    T* Put()
    {
        Reset();
        return &m_handle;
    }
    T Release() { return std::exchange(m_handle, Invalid); }
    void Reset(T handle = Invalid)
    {
        if (m_handle != Invalid) Close(m_handle);
        m_handle = handle;
    }

private:
    T m_handle = Invalid;
};

inline void CloseKey(HKEY key) { ::RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }

using UniqueKey = UniqueHandle<HKEY, CloseKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle>;

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
