#pragma once
// Owner of one COM interface reference: released exactly once, on every path.

#include <unknwn.h>

#include <utility>

namespace zelora::win {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_ptr = std::exchange(other.m_ptr, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // Takes over a reference the caller already holds.
    static ComPtr Adopt(T* ptr)
    {
        ComPtr owner;
        owner.m_ptr = ptr;
        return owner;
    }

    T* Get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    // For a call that hands out a new reference through an out parameter.
    T** Put()
    {
        Reset();
        return &m_ptr;
    }
    void** PutVoid()
    {
        Reset();
        return reinterpret_cast<void**>(&m_ptr);
    }
    void Reset()
    {
        if (m_ptr) std::exchange(m_ptr, nullptr)->Release();
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> other;
        if (m_ptr) m_ptr->QueryInterface(iid, other.PutVoid());
        return other;
    }

private:
    T* m_ptr = nullptr;
};

}  // namespace zelora::win
