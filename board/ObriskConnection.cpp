#include "board/ObriskConnection.h"

#include "board/ObriskEventDispatcher.h"

#include <new>

CObriskConnection::~CObriskConnection()
{
    Destroy();
}

bool CObriskConnection::CreateWithoutEvents()
{
    Destroy();
    void* sdk = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ObriskSdk, nullptr, CLSCTX_INPROC_SERVER, IID_IObriskSdk, &sdk))
        || !sdk)
        return false;
    m_sdk = static_cast<IObriskSdk*>(sdk);
    return true;
}

bool CObriskConnection::CreateWithEvents(QObject* owner, CObriskEventListener* listener)
{
    if (!CreateWithoutEvents())
        return false;
    if (!listener)
        return true;

    CComPtr<IConnectionPointContainer> container;
    if (FAILED(m_sdk->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())) || !container)
        return true;
    CComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(DIID_IObriskEvents, point.Receive())) || !point)
        return true;

    auto* sink = new (std::nothrow) CObriskEventDispatcher(owner, listener);
    if (!sink)
        return true;
    DWORD cookie = 0;
    if (FAILED(point->Advise(sink->GetUnknown(), &cookie))) {
        sink->Detach();
        sink->Release();
        return true;
    }
    m_sink = sink;
    m_cookie = cookie;
    return true;
}

void CObriskConnection::Destroy()
{
    if (m_sdk && m_sink) {
        CComPtr<IConnectionPointContainer> container;
        if (SUCCEEDED(m_sdk->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()))
            && container) {
            CComPtr<IConnectionPoint> point;
            if (SUCCEEDED(container->FindConnectionPoint(DIID_IObriskEvents, point.Receive())) && point)
                point->Unadvise(m_cookie);
        }
    }
    if (m_sink) {
        // The board software may still hold a reference (an event in flight on its
        // thread): detaching makes sure nothing reaches the listener from now on.
        m_sink->Detach();
        m_sink->Release();
        m_sink = nullptr;
    }
    m_cookie = 0;
    if (m_sdk) {
        m_sdk->Release();
        m_sdk = nullptr;
    }
}

bool CObriskConnection::AttachWindow(OBRISK_HWND window)
{
    return m_sdk && SUCCEEDED(m_sdk->ObriskAttachWindow(window, VARIANT_FALSE));
}

bool CObriskConnection::DetachWindow(OBRISK_HWND window)
{
    return m_sdk && SUCCEEDED(m_sdk->ObriskDetachWindow(window));
}

bool CObriskConnection::SetWindowMode(OBRISK_HWND window, int mode, int option)
{
    return m_sdk && SUCCEEDED(m_sdk->ObriskSetWindowMode(window, mode, option));
}

bool CObriskConnection::PrepareContact()
{
    return m_sdk && SUCCEEDED(m_sdk->ObriskPrepareContact());
}

int CObriskConnection::GetToolType(int pointerId)
{
    LONG type = 0;
    if (!m_sdk || FAILED(m_sdk->ObriskGetToolType(pointerId, &type)))
        return 0;
    return type;
}

COLORREF CObriskConnection::GetToolColour(int pointerId)
{
    LONG red = 0, green = 0, blue = 0;
    if (!m_sdk || FAILED(m_sdk->ObriskGetToolColour(pointerId, &red, &green, &blue)))
        return 0;
    return RGB(
        static_cast<BYTE>(red & 0xFF), static_cast<BYTE>(green & 0xFF), static_cast<BYTE>(blue & 0xFF));
}

int CObriskConnection::GetToolWidth(int pointerId)
{
    LONG width = 0;
    if (!m_sdk || FAILED(m_sdk->ObriskGetToolWidth(pointerId, &width)))
        return 0;
    return width;
}
