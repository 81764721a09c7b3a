// A small component library for the component layer's tests: one dispatch class
// with methods of every supported argument type, a property, a failing method
// and an event fired through a connection point.

#include "tests/platform/com/TestComponent.h"

#include "platform/com/ComServer.h"
#include "platform/com/ConnectionPoint.h"
#include "platform/com/DispatchTable.h"

namespace {

class CTestCalculator final : public CComObject<ITestCalculator, IConnectionPointContainer>
{
public:
    CTestCalculator()
        : m_events(static_cast<IConnectionPointContainer*>(this), DIID_ITestEvents)
    {
    }

    static const CDispatchTable<CTestCalculator>& Table()
    {
        using T = CTestCalculator;
        static const auto table = CDispatchTable<T>()
                                      .Method(TEST_DISPID_ADD, "Add", &T::Add)
                                      .Method(TEST_DISPID_CONCAT, "Concat", &T::Concat)
                                      .Method(TEST_DISPID_SCALE, "Scale", &T::Scale)
                                      .Method(TEST_DISPID_NEGATE, "Negate", &T::Negate)
                                      .Method(TEST_DISPID_COLOUR, "Colour", &T::Colour)
                                      .Method(TEST_DISPID_SHORT, "Short", &T::Short)
                                      .Method(TEST_DISPID_FAIL, "Fail", &T::Fail)
                                      .Method(TEST_DISPID_OUT, "Out", &T::Out)
                                      .Method(TEST_DISPID_FIRE, "Fire", &T::Fire)
                                      .Property(TEST_DISPID_VALUE, "Value", &T::GetValue, &T::SetValue);
        return table;
    }

    LONG Add(LONG a, LONG b) { return a + b; }
    QString Concat(BSTR a, const QString& b) { return SysStringToQString(a) + b; }
    double Scale(float f, double d) { return double(f) * d; }
    bool Negate(bool b) { return !b; }
    ULONG Colour(ULONG c) { return c; }
    SHORT Short(SHORT s) { return SHORT(s * 2); }
    void Fail(LONG code) { throw CComError(code, "the test method failed"); }
    void Out(LONG* target, BSTR* text)
    {
        *target = 77;
        SysFreeString(*text);
        *text = SysAllocStringFromAnsi("out");
    }
    LONG Fire(LONG value) { return m_events.Fire(TEST_EVENT_DISPID_FIRED, { CComVariant::I4(value) }); }
    LONG GetValue() const { return m_value; }
    void SetValue(LONG v) { m_value = v; }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return Table().GetIDsOfNames(iid, names, count, ids);
    }
    HRESULT Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
        EXCEPINFO* exception, UINT* argumentError) override
    {
        return Table().Invoke(*this, id, iid, flags, params, result, exception, argumentError);
    }
    HRESULT EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override
    {
        if (iid != DIID_ITestEvents)
            return CONNECT_E_NOCONNECTION;
        *point = &m_events;
        m_events.AddRef();
        return S_OK;
    }

private:
    ~CTestCalculator() override = default;

    CConnectionPoint m_events;
    LONG m_value = 0;
};

HRESULT RegisterExtra(HKEY classKey)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(classKey, "Control", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return E_FAIL;
    RegCloseKey(key);
    return S_OK;
}

const ComTypeLibInfo s_typeLib { TEST_LIBID, "Test Calculator Library", 1, 0, nullptr,
    { { IID_ITestCalculator, "ITestCalculator", true }, { DIID_ITestEvents, "ITestEvents", true } } };

CComTypeLibRegistrar s_typeLibRegistrar(&s_typeLib);
CComClassRegistrar<CTestCalculator> s_registrar(
    CLSID_TestCalculator, "Test Calculator", "Kestavo.TestCalculator.1", "Apartment", &RegisterExtra);

} // namespace
