#pragma once
// Drives the pen input control the way a host does: registered in the test's
// hive by its own DllRegisterServer, created by class id, embedded through a
// widget site, called through IDispatch by DISPID, events received by a sink.

#include "control/ValtrixIds.h"
#include "platform/com/Com.h"
#include "platform/com/ComObject.h"
#include "platform/com/DispatchTable.h"
#include "platform/com/IQtWidgetSite.h"

#include <QWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

inline std::string ValtrixLibraryPath()
{
    return std::string(KESTAVO_TEST_LIB_DIR) + "/libvaltrix.so";
}

// Runs a component library's own DllRegisterServer (or Unregister) in the current hive.
inline HRESULT CallValtrixExport(const char* name, const std::string& library = ValtrixLibraryPath())
{
    void* handle = dlopen(library.c_str(), RTLD_NOW);
    if (!handle)
        return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(handle, name));
    const HRESULT hr = entry ? entry() : CO_E_ERRORINDLL;
    dlclose(handle);
    return hr;
}

class CTestSite final : public CComObject<IQtWidgetSite>
{
public:
    explicit CTestSite(QWidget* host)
        : m_host(host)
    {
    }
    HRESULT GetWindow(QWidget** parent) override
    {
        *parent = m_host;
        return S_OK;
    }

private:
    QWidget* m_host;
};

// Records OnHintPossible calls.
class CHintSink final : public CComObject<IDispatch>
{
public:
    std::vector<bool> fired;

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        EXPECT_EQ(id, DISPID_VALTRIX_ONHINTPOSSIBLE);
        EXPECT_EQ(params->cArgs, 1u);
        EXPECT_EQ(params->rgvarg[0].vt, VT_BOOL);
        EXPECT_TRUE(params->rgvarg[0].boolVal == VARIANT_TRUE || params->rgvarg[0].boolVal == VARIANT_FALSE);
        fired.push_back(params->rgvarg[0].boolVal != 0);
        return S_OK;
    }

protected:
    void* QueryInterfacePointer(REFIID iid) override
    {
        if (iid == DIID__DValtrixEvents)
            return static_cast<IDispatch*>(this);
        return CComObject::QueryInterfacePointer(iid);
    }
};

class ControlHarness : public ::testing::Test
{
protected:
    // Components to register in the test's hive before the control is created.
    virtual void RegisterComponents() { ASSERT_EQ(CallValtrixExport("DllRegisterServer"), S_OK); }

    void SetUp() override
    {
        RegisterComponents();
        if (HasFatalFailure())
            return;
        host.resize(400, 120);
        ASSERT_EQ(CoCreateInstance(CLSID_ValtrixCtrl, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                      reinterpret_cast<void**>(&control)),
            S_OK);
        ASSERT_TRUE(control);
        ASSERT_EQ(control->QueryInterface(IID_IQtWidgetControl, reinterpret_cast<void**>(&windowed)), S_OK);
        site = new CTestSite(&host);
        ASSERT_EQ(windowed->SetSite(site), S_OK);
        ASSERT_EQ(windowed->GetWindow(&window), S_OK);
        ASSERT_TRUE(window);
        window->setGeometry(0, 0, 300, 100);
        host.show();

        IConnectionPointContainer* container = nullptr;
        ASSERT_EQ(
            control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)),
            S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID__DValtrixEvents, &point), S_OK);
        container->Release();
        sink = new CHintSink;
        ASSERT_EQ(point->Advise(sink, &cookie), S_OK);
    }

    void TearDown() override
    {
        if (point) {
            point->Unadvise(cookie);
            point->Release();
        }
        if (windowed) {
            windowed->SetSite(nullptr);
            windowed->Release();
        }
        if (control)
            control->Release();
        if (site)
            site->Release();
        if (sink)
            sink->Release();
    }

    HRESULT Call(DISPID id, std::vector<VARIANT> arguments = {}, VARIANT* result = nullptr)
    {
        return DispatchCall(control, id, arguments, result);
    }
    LONG Long(DISPID id)
    {
        CComVariant result;
        EXPECT_EQ(Call(id, {}, &result), S_OK);
        EXPECT_EQ(result.vt, VT_I4);
        return result.lVal;
    }
    SHORT Short(DISPID id)
    {
        CComVariant result;
        EXPECT_EQ(Call(id, {}, &result), S_OK);
        EXPECT_EQ(result.vt, VT_I2);
        return result.iVal;
    }
    void SetAnswer(const char* text)
    {
        ASSERT_EQ(Call(DISPID_VALTRIX_SETANSWER, { CComVariant::Bstr(text) }), S_OK);
    }
    void SetStatic(bool on)
    {
        ASSERT_EQ(Call(DISPID_VALTRIX_ENABLESTATICMODE, { CComVariant::Bool(on) }), S_OK);
    }
    std::string State()
    {
        CComVariant result;
        EXPECT_EQ(Call(DISPID_VALTRIX_GETSTATE, {}, &result), S_OK);
        EXPECT_EQ(result.vt, VT_BSTR);
        return SysStringToLatin1(result.bstrVal);
    }
    HRESULT SetState(const std::string& state)
    {
        return Call(DISPID_VALTRIX_SETSTATE, { CComVariant::Bstr(QString::fromLatin1(state)) });
    }

    QWidget host;
    IDispatch* control = nullptr;
    IQtWidgetControl* windowed = nullptr;
    CTestSite* site = nullptr;
    QWidget* window = nullptr;
    IConnectionPoint* point = nullptr;
    CHintSink* sink = nullptr;
    DWORD cookie = 0;
};
