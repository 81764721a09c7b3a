#include "control/InkRecognition.h"
#include "control/ValtrixCtrl.h"
#include "control/ValtrixIds.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComPtr.h"
#include "platform/com/DispatchTable.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// A recogniser that reports success with no candidate at all.
class CEmptyRecognition : public CInkRecognition
{
public:
    bool OpenSession() override { return true; }
    void AddStroke(IInkStroke*) override { }
    bool CloseSession() override { return true; }
    bool GetCandidates(std::vector<std::string>& candidates) override
    {
        candidates.clear();
        return true;
    }
};

TEST(RecognitionFailureTest, NoCandidateReachesTheHostAsInvalidArgumentAndChangesNothing)
{
    // The real ink component, registered in this test's hive.
    const std::string obrisk = std::string(KESTAVO_TEST_LIB_DIR) + "/libobrisk.so";
    void* library = dlopen(obrisk.c_str(), RTLD_NOW);
    ASSERT_TRUE(library);
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_TRUE(registerServer);
    ASSERT_EQ(registerServer(), S_OK);

    CComPtr<CValtrixCtrl> control = CComPtr<CValtrixCtrl>::Adopt(new CValtrixCtrl);
    IInkContainer* ink = control->Grid().InkContainer();
    ASSERT_TRUE(ink) << "ink component not created";
    control->SetRecognition(std::make_unique<CEmptyRecognition>());
    CComVariant answer = CComVariant::Bstr(QStringLiteral("42"));
    ASSERT_EQ(DispatchCall(control.Get(), DISPID_VALTRIX_SETANSWER, { answer }), S_OK);
    ASSERT_EQ(
        DispatchCall(control.Get(), DISPID_VALTRIX_ENABLESTATICMODE, { CComVariant::Bool(false) }), S_OK);
    CComVariant saved = CComVariant::Bstr(QStringLiteral("424 x 1"));
    ASSERT_EQ(DispatchCall(control.Get(), DISPID_VALTRIX_SETSTATE, { saved }), S_OK);

    // One real stroke, wider than any cell: whole-field recognition.
    CComPtr<IInkStroke> stroke;
    ASSERT_EQ(CoCreateInstance(
                  CLSID_InkStroke, nullptr, CLSCTX_INPROC_SERVER, IID_IInkStroke, stroke.ReceiveVoid()),
        S_OK);
    stroke->Begin(nullptr, 0.0f, 10.0f, 0, 1.0f);
    stroke->AddPoint(nullptr, 250.0f, 20.0f, 1.0f, 0);
    stroke->End(nullptr, 500.0f, 30.0f, 1.0f);
    ASSERT_EQ(ink->Insert(stroke.Get(), -1), S_OK);

    EXCEPINFO exception {};
    const HRESULT hr = DispatchInvoke(
        control.Get(), DISPID_VALTRIX_VERIFYRESPONSE, DISPATCH_METHOD, {}, nullptr, &exception);
    EXPECT_EQ(hr, DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, E_INVALIDARG);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);

    // Entries, hint marks, the verified flag and the ink are as they were.
    EXPECT_EQ(control->Grid().GetState(), "424 x 1");
    int count = 0;
    ink->Count(&count);
    EXPECT_EQ(count, 1);
}

} // namespace
