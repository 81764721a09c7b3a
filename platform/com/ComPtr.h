#pragma once

// An owning interface pointer: releases on destruction, AddRefs on copy.

#include "platform/com/Com.h"

#include <utility>

template <class T> class CComPtr
{
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) { }
    // Takes a new reference to p.
    explicit CComPtr(T* p)
        : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    CComPtr(const CComPtr& other)
        : CComPtr(other.m_p)
    {
    }
    CComPtr(CComPtr&& other) noexcept
        : m_p(other.m_p)
    {
        other.m_p = nullptr;
    }
    ~CComPtr() { Reset(); }

    CComPtr& operator=(const CComPtr& other)
    {
        CComPtr copy(other);
        Swap(copy);
        return *this;
    }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        CComPtr moved(std::move(other));
        Swap(moved);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static CComPtr Adopt(T* p)
    {
        CComPtr result;
        result.m_p = p;
        return result;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out parameters: releases the current pointer and hands out its slot.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    // Gives the reference away without releasing it.
    T* Detach()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Reset()
    {
        if (m_p) {
            T* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }
    void Swap(CComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    // QueryInterface into another smart pointer; the interface id comes from ComInterfaceId.
    template <class U> HRESULT As(CComPtr<U>& out) const
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(ComInterfaceId<U>::value, out.ReceiveVoid());
    }

private:
    T* m_p = nullptr;
};
