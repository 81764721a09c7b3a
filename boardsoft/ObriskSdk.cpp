#include "boardsoft/ObriskSdk.h"

#include "boardsoft/BoardHub.h"
#include "platform/com/ComServer.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcObrisk, "kestavo.obrisk")

namespace {

CComClassRegistrar<CObriskSdk> s_registrar(CLSID_ObriskSdk, "Obrisk Board SDK", "Obrisk.BoardSdk.1", "Both");

} // namespace

CObriskSdk::CObriskSdk()
    : m_events(static_cast<IConnectionPointContainer*>(this), DIID_IObriskEvents)
{
    CBoardHub& hub = CBoardHub::Instance();
    hub.ReloadSettings();
    hub.RegisterSdk(this);
}

CObriskSdk::~CObriskSdk()
{
    // First leave the board, so that no thread picks up our sinks any more.
    CBoardHub::Instance().UnregisterSdk(this);
    m_events.UnadviseAll();
}

HRESULT CObriskSdk::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CObriskSdk::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CObriskSdk::GetIDsOfNames(REFIID, LPOLESTR*, UINT nameCount, LCID, DISPID* ids)
{
    for (UINT i = 0; ids && i < nameCount; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CObriskSdk::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CObriskSdk::ObriskAttachWindow(OBRISK_HWND window, VARIANT_BOOL)
{
    const HRESULT hr = CBoardHub::Instance().Attach(this, window);
    qCDebug(lcObrisk, "attach window 0x%x: 0x%08x", window, static_cast<unsigned>(hr));
    return hr;
}

HRESULT CObriskSdk::ObriskDetachWindow(OBRISK_HWND window)
{
    return CBoardHub::Instance().Detach(this, window);
}

HRESULT CObriskSdk::ObriskGetToolType(LONG pointerId, LONG* toolType)
{
    return CBoardHub::Instance().ToolType(pointerId, toolType);
}

HRESULT CObriskSdk::ObriskGetToolColour(LONG pointerId, LONG* red, LONG* green, LONG* blue)
{
    return CBoardHub::Instance().ToolColour(pointerId, red, green, blue);
}

HRESULT CObriskSdk::ObriskGetToolWidth(LONG pointerId, LONG* width)
{
    return CBoardHub::Instance().ToolWidth(pointerId, width);
}

HRESULT CObriskSdk::ObriskSetWindowMode(OBRISK_HWND window, LONG mode, LONG)
{
    // The option (-1 from the button strip) selects nothing on this board.
    const HRESULT hr = CBoardHub::Instance().SetMode(window, mode);
    qCDebug(
        lcObrisk, "window 0x%x mode %d: 0x%08x", window, static_cast<int>(mode), static_cast<unsigned>(hr));
    return hr;
}

HRESULT CObriskSdk::ObriskPrepareContact()
{
    return S_OK;
}

HRESULT CObriskSdk::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT CObriskSdk::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (iid != DIID_IObriskEvents)
        return CONNECT_E_NOCONNECTION;
    *point = &m_events;
    m_events.AddRef();
    return S_OK;
}
