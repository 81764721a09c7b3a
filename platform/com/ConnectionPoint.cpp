#include "platform/com/ConnectionPoint.h"

#include "platform/com/DispatchTable.h"

#include <algorithm>

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* container, REFIID iid)
    : m_container(container)
    , m_iid(iid)
{
}

CConnectionPoint::~CConnectionPoint()
{
    UnadviseAll();
}

HRESULT CConnectionPoint::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CConnectionPoint::AddRef()
{
    return m_container->AddRef();
}

ULONG CConnectionPoint::Release()
{
    return m_container->Release();
}

HRESULT CConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

HRESULT CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = m_container;
    m_container->AddRef();
    return S_OK;
}

HRESULT CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    IUnknown* served = nullptr;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&served))) || !served)
        return CONNECT_E_CANNOTCONNECT;
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_nextCookie == 0) // wrapped after four billion connections: refuse rather than reuse
    {
        served->Release();
        return CONNECT_E_ADVISELIMIT;
    }
    const DWORD assigned = m_nextCookie++;
    m_connections.push_back(Connection { assigned, served });
    *cookie = assigned;
    return S_OK;
}

HRESULT CConnectionPoint::Unadvise(DWORD cookie)
{
    IUnknown* sink = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = std::find_if(m_connections.begin(), m_connections.end(),
            [cookie](const Connection& c) { return c.cookie == cookie; });
        if (it == m_connections.end())
            return CONNECT_E_NOCONNECTION;
        sink = it->sink;
        m_connections.erase(it);
    }
    // Released outside the lock: the sink's destruction may call back into us.
    sink->Release();
    return S_OK;
}

HRESULT CConnectionPoint::EnumConnections(IEnumConnections** connections)
{
    if (!connections)
        return E_POINTER;
    *connections = nullptr;
    return E_NOTIMPL;
}

std::size_t CConnectionPoint::ConnectionCount() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_connections.size();
}

std::vector<CComPtr<IUnknown>> CConnectionPoint::Sinks() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<CComPtr<IUnknown>> sinks;
    sinks.reserve(m_connections.size());
    for (const Connection& c : m_connections)
        sinks.emplace_back(c.sink);
    return sinks;
}

std::vector<CComPtr<IDispatch>> CConnectionPoint::DispatchSinks() const
{
    std::vector<CComPtr<IDispatch>> result;
    for (const CComPtr<IUnknown>& sink : Sinks()) {
        CComPtr<IDispatch> dispatch;
        if (SUCCEEDED(sink.As(dispatch)) && dispatch)
            result.push_back(std::move(dispatch));
    }
    return result;
}

int CConnectionPoint::Fire(DISPID id, const std::vector<VARIANT>& arguments) const
{
    int called = 0;
    for (const CComPtr<IDispatch>& sink : DispatchSinks()) {
        DispatchInvoke(sink.Get(), id, DISPATCH_METHOD, arguments, nullptr);
        ++called;
    }
    return called;
}

void CConnectionPoint::UnadviseAll()
{
    std::vector<Connection> dropped;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        dropped.swap(m_connections);
    }
    for (const Connection& c : dropped)
        c.sink->Release();
}
