#pragma once

// Base for component objects: reference counting, QueryInterface over the listed
// interfaces, and the module's live-object count (so DllCanUnloadNow knows).
//
//   class CInk final : public CComObject<IInkStroke> { ... };
//   CInk* ink = new CInk;          // reference count 1, owned by the creator
//   ink->Release();                // deletes it
//
// The first listed interface also serves IUnknown. An interface derived from
// IDispatch also answers for IID_IDispatch. Further ids (an event interface served
// by an IDispatch, say) are added by overriding QueryInterfacePointer.

#include "platform/com/Com.h"
#include "platform/com/ComModule.h"

#include <atomic>
#include <type_traits>

template <class First, class... Rest> class CComObject : public First, public Rest...
{
public:
    CComObject() { ComThisModule().objects.fetch_add(1, std::memory_order_relaxed); }
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;
    virtual ~CComObject() { ComThisModule().objects.fetch_sub(1, std::memory_order_acq_rel); }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = QueryInterfacePointer(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return m_refs.fetch_add(1, std::memory_order_relaxed) + 1; }
    ULONG Release() override
    {
        const ULONG left = m_refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0)
            delete this;
        return left;
    }

    IUnknown* GetUnknown() { return static_cast<First*>(this); }
    ULONG RefCount() const { return m_refs.load(std::memory_order_relaxed); }

protected:
    // The interface pointer for iid without AddRef, or null.
    virtual void* QueryInterfacePointer(REFIID iid)
    {
        if (iid == IID_IUnknown)
            return GetUnknown();
        return FindListed<First, Rest...>(iid);
    }

private:
    template <class I> void* Match(REFIID iid)
    {
        if (iid == ComInterfaceId<I>::value)
            return static_cast<I*>(this);
        if constexpr (std::is_base_of_v<IDispatch, I>) {
            if (iid == IID_IDispatch)
                return static_cast<IDispatch*>(static_cast<I*>(this));
        }
        return nullptr;
    }
    template <class I, class... More> void* FindListed(REFIID iid)
    {
        if (void* p = Match<I>(iid))
            return p;
        if constexpr (sizeof...(More) > 0)
            return FindListed<More...>(iid);
        else
            return nullptr;
    }

    std::atomic<ULONG> m_refs { 1 };
};
