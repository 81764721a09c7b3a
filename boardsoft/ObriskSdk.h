#pragma once

// The board SDK component: one object per connection. It attaches windows to the
// board, answers the tool queries, and serves the event connection point through
// which the board calls the connection's sink.

#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComObject.h"
#include "platform/com/ConnectionPoint.h"

class CObriskSdk final : public CComObject<IObriskSdk, IConnectionPointContainer>
{
public:
    CObriskSdk();

    // IDispatch (the SDK's own methods are called through the interface, not by DISPID)
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override;

    // IObriskSdk
    HRESULT ObriskAttachWindow(OBRISK_HWND window, VARIANT_BOOL flag) override;
    HRESULT ObriskGetToolType(LONG pointerId, LONG* toolType) override;
    HRESULT ObriskGetToolColour(LONG pointerId, LONG* red, LONG* green, LONG* blue) override;
    HRESULT ObriskGetToolWidth(LONG pointerId, LONG* width) override;
    HRESULT ObriskDetachWindow(OBRISK_HWND window) override;
    HRESULT ObriskSetWindowMode(OBRISK_HWND window, LONG mode, LONG option) override;
    HRESULT ObriskPrepareContact() override;

    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    CConnectionPoint& EventPoint() { return m_events; }

private:
    ~CObriskSdk() override;

    CConnectionPoint m_events;
};
