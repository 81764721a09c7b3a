// A stand-in board SDK for the connection tests: fixed tool answers, an event
// connection point, and two dispatch members to drive it from a test:
//   DISPID 100 Fire(LONG x): calls OnXYDown(x, 2, 3, 4) on every sink;
//   DISPID 101 Connections(): the number of advised sinks.
// Pointer id 99 makes every tool query fail.

#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComServer.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/DispatchTable.h"

namespace {

class CFakeSdk final : public CComObject<IObriskSdk, IConnectionPointContainer>
{
public:
    CFakeSdk()
        : m_events(static_cast<IConnectionPointContainer*>(this), DIID_IObriskEvents)
    {
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(
        DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id == 100 && params && params->cArgs == 1) {
            m_events.Fire(OBRISK_DISPID_XYDOWN,
                { CComVariant::I4(params->rgvarg[0].lVal), CComVariant::I4(2), CComVariant::I4(3),
                    CComVariant::I4(4) });
            return S_OK;
        }
        if (id == 101 && result) {
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(m_events.ConnectionCount());
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT ObriskAttachWindow(OBRISK_HWND window, VARIANT_BOOL) override { return window ? S_OK : E_HANDLE; }
    HRESULT ObriskGetToolType(LONG pointerId, LONG* type) override
    {
        if (pointerId == 99)
            return E_FAIL;
        *type = pointerId == 2 ? 2 : 1;
        return S_OK;
    }
    HRESULT ObriskGetToolColour(LONG pointerId, LONG* r, LONG* g, LONG* b) override
    {
        if (pointerId == 99)
            return E_FAIL;
        // Components wider than a byte: only the lowest byte counts.
        *r = 0x112;
        *g = 0x34;
        *b = 0x56;
        return S_OK;
    }
    HRESULT ObriskGetToolWidth(LONG pointerId, LONG* width) override
    {
        if (pointerId == 99)
            return E_FAIL;
        *width = 5;
        return S_OK;
    }
    HRESULT ObriskDetachWindow(OBRISK_HWND window) override { return window ? S_OK : E_HANDLE; }
    HRESULT ObriskSetWindowMode(OBRISK_HWND, LONG mode, LONG option) override
    {
        return mode == 1 && option == -1 ? S_OK : E_INVALIDARG;
    }
    HRESULT ObriskPrepareContact() override { return S_OK; }

    HRESULT EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override
    {
        if (iid != DIID_IObriskEvents)
            return CONNECT_E_NOCONNECTION;
        *point = &m_events;
        m_events.AddRef();
        return S_OK;
    }

private:
    ~CFakeSdk() override = default;
    CConnectionPoint m_events;
};

CComClassRegistrar<CFakeSdk> s_registrar(CLSID_ObriskSdk, "Fake board SDK", nullptr, "Both");

} // namespace
