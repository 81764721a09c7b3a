#pragma once

// A connection point for one outgoing interface: Advise/Unadvise with cookies and
// a thread-safe way to call every connected sink.
//
// It lives inside its container object and shares the container's reference count
// (AddRef/Release go to the container), so handing it out keeps the container alive.
// Sinks may be advised, unadvised and called from any thread: calls go to a snapshot
// of the sinks taken under the lock, each held by a reference for the call.

#include "platform/com/Com.h"
#include "platform/com/ComPtr.h"

#include <mutex>
#include <vector>

class CConnectionPoint : public IConnectionPoint
{
public:
    // container: the object that owns this point (not AddRef'ed: it owns us).
    CConnectionPoint(IConnectionPointContainer* container, REFIID iid);
    CConnectionPoint(const CConnectionPoint&) = delete;
    CConnectionPoint& operator=(const CConnectionPoint&) = delete;
    ~CConnectionPoint();

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    // The sink must answer QueryInterface for the point's interface id (CONNECT_E_CANNOTCONNECT
    // otherwise); the point keeps that reference until Unadvise. Cookies start at 1.
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;
    HRESULT EnumConnections(IEnumConnections** connections) override;

    const IID& Iid() const { return m_iid; }
    std::size_t ConnectionCount() const;
    // Every connected sink, AddRef'ed, as the interface the point serves.
    std::vector<CComPtr<IUnknown>> Sinks() const;
    // Sinks that are dispatch interfaces (event interfaces are), for firing events.
    std::vector<CComPtr<IDispatch>> DispatchSinks() const;
    // Invokes DISPID id (DISPATCH_METHOD) on every dispatch sink with arguments in natural
    // order; returns the number of sinks called.
    int Fire(DISPID id, const std::vector<VARIANT>& arguments) const;
    // Drops every connection (the container is going away).
    void UnadviseAll();

private:
    struct Connection
    {
        DWORD cookie;
        IUnknown* sink; // owned reference, as the point's interface
    };

    IConnectionPointContainer* m_container;
    IID m_iid;
    mutable std::mutex m_lock;
    std::vector<Connection> m_connections;
    DWORD m_nextCookie = 1;
};
