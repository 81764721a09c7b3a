#include "platform/com/ComServer.h"

#include "platform/com/DispatchTable.h"
#include "platform/registry/Registry.h"
#include "tests/platform/com/TestComponent.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

std::string ReadString(HKEY root, const std::string& subKey, const char* name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(buffer) : "<no value>";
}

bool KeyExists(HKEY root, const std::string& subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

HRESULT CallExport(const char* path, const char* name)
{
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return E_FAIL;
    auto fn = reinterpret_cast<PFN_DllRegisterServer>(dlsym(handle, name));
    const HRESULT hr = fn ? fn() : E_FAIL;
    dlclose(handle);
    return hr;
}

const std::string kClassKey = "CLSID\\" + GuidToString(CLSID_TestCalculator);

// Registers the test component for the current user, as kestavo-register --user does.
class ComServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ComSetRegistrationScope(ComRegistrationScope::User);
        ASSERT_EQ(CallExport(TEST_COMPONENT_PATH, "DllRegisterServer"), S_OK);
        void* object = nullptr;
        ASSERT_EQ(
            CoCreateInstance(CLSID_TestCalculator, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
            S_OK);
        calculator = CComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(object));
    }
    void TearDown() override
    {
        calculator.Reset();
        CoFreeUnusedLibraries();
        ComSetRegistrationScope(ComRegistrationScope::Machine);
    }

    CComPtr<IDispatch> calculator;
};

} // namespace

TEST_F(ComServerTest, RegistrationWritesClassProgIdAndTypeLibraryKeys)
{
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kClassKey), "Test Calculator");
    const std::string path = ReadString(HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32");
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).canonicalFilePath(),
        QFileInfo(QStringLiteral(TEST_COMPONENT_PATH)).canonicalFilePath());
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(
        ReadString(HKEY_CLASSES_ROOT, "Kestavo.TestCalculator.1\\CLSID"), GuidToString(CLSID_TestCalculator));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClassKey + "\\Control")); // written by the class itself
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "TypeLib\\" + GuidToString(TEST_LIBID) + "\\1.0"),
        "Test Calculator Library");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(IID_ITestCalculator) + "\\TypeLib"),
        GuidToString(TEST_LIBID));
    // User scope: nothing in the machine hive.
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + kClassKey));

    calculator.Reset();
    ASSERT_EQ(CallExport(TEST_COMPONENT_PATH, "DllUnregisterServer"), S_OK);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Kestavo.TestCalculator.1"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "TypeLib\\" + GuidToString(TEST_LIBID)));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Interface\\" + GuidToString(DIID_ITestEvents)));
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalculator, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ComServerTest, InvokeConvertsEveryArgumentType)
{
    CComVariant result;
    ASSERT_EQ(
        DispatchCall(calculator.Get(), TEST_DISPID_ADD, { CComVariant::I4(40), CComVariant::I2(2) }, &result),
        S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 42);

    // Arguments arrive in their order (the dispatch array runs right to left).
    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_CONCAT,
                  { CComVariant::Bstr(QStringLiteral("ab")), CComVariant::I4(7) }, &result),
        S_OK);
    EXPECT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(SysStringToQString(result.bstrVal), QStringLiteral("ab7"));

    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_SCALE,
                  { CComVariant::R4(1.5f), CComVariant::Bstr(QStringLiteral("4")) }, &result),
        S_OK);
    EXPECT_EQ(result.vt, VT_R8);
    EXPECT_DOUBLE_EQ(result.dblVal, 6.0);

    ASSERT_EQ(
        DispatchCall(calculator.Get(), TEST_DISPID_NEGATE, { CComVariant::Bool(false) }, &result), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);

    // A system colour index is a negative VT_I4 on the wire; the bits arrive intact.
    ASSERT_EQ(
        DispatchCall(calculator.Get(), TEST_DISPID_COLOUR, { CComVariant::I4(LONG(0x80000005u)) }, &result),
        S_OK);
    EXPECT_EQ(result.ulVal, 0x80000005u);

    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_SHORT, { CComVariant::I4(-21) }, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, -42);

    LONG out = 0;
    BSTR text = SysAllocStringFromAnsi("in");
    VARIANT textRef;
    VariantInit(&textRef);
    textRef.vt = VT_BYREF | VT_BSTR;
    textRef.pbstrVal = &text;
    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_OUT, { CComVariant::RefI4(&out), textRef }), S_OK);
    EXPECT_EQ(out, 77);
    EXPECT_EQ(SysStringToAnsi(text), "out");
    SysFreeString(text);
}

TEST_F(ComServerTest, InvokeReportsCountTypeAndMemberErrors)
{
    CComVariant result;
    EXPECT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_ADD, { CComVariant::I4(1) }, &result),
        DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(DispatchCall(calculator.Get(), 999, {}, &result), DISP_E_MEMBERNOTFOUND);

    // The failing argument is named by its position in the dispatch array.
    const CComVariant first = CComVariant::I4(1);
    const CComVariant second = CComVariant::Bstr(QStringLiteral("x"));
    std::vector<VARIANT> reversed { second, first };
    DISPPARAMS params { reversed.data(), nullptr, 2, 0 };
    UINT argumentError = 99;
    EXPECT_EQ(calculator->Invoke(
                  TEST_DISPID_ADD, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, &argumentError),
        DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argumentError, 0u); // "x", the second argument, is rgvarg[0]
    EXPECT_EQ(calculator->Invoke(
                  TEST_DISPID_ADD, IID_IUnknown, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
        DISP_E_UNKNOWNINTERFACE);

    // A method's own failure arrives as a dispatch exception with its code and text.
    EXCEPINFO exception {};
    EXPECT_EQ(DispatchInvoke(calculator.Get(), TEST_DISPID_FAIL, DISPATCH_METHOD,
                  { CComVariant::I4(E_INVALIDARG) }, &result, &exception),
        DISP_E_EXCEPTION);
    EXPECT_EQ(exception.scode, E_INVALIDARG);
    EXPECT_EQ(SysStringToAnsi(exception.bstrDescription), "the test method failed");
    SysFreeString(exception.bstrDescription);
}

TEST_F(ComServerTest, PropertiesAndNamesComeFromTheSameTable)
{
    ASSERT_EQ(DispatchPut(calculator.Get(), TEST_DISPID_VALUE, CComVariant::I4(5)), S_OK);
    CComVariant result;
    ASSERT_EQ(DispatchInvoke(calculator.Get(), TEST_DISPID_VALUE, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.lVal, 5);
    // A put without the named argument is refused.
    CComVariant value = CComVariant::I4(1);
    DISPPARAMS unnamed { &value, nullptr, 1, 0 };
    EXPECT_EQ(calculator->Invoke(
                  TEST_DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr, nullptr),
        DISP_E_PARAMNOTOPTIONAL);

    OLECHAR upper[] = u"CONCAT";
    OLECHAR mixed[] = u"vAlUe";
    OLECHAR unknown[] = u"Concatenate";
    LPOLESTR names[] = { upper };
    DISPID id = 0;
    ASSERT_EQ(calculator->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, TEST_DISPID_CONCAT);
    names[0] = mixed;
    ASSERT_EQ(calculator->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, TEST_DISPID_VALUE);
    names[0] = unknown;
    EXPECT_EQ(calculator->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

namespace {

// An event sink that counts calls of the test event.
class CCountingSink final : public CComObject<IDispatch>
{
public:
    std::vector<LONG> values;

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != TEST_EVENT_DISPID_FIRED || params->cArgs != 1)
            return DISP_E_MEMBERNOTFOUND;
        values.push_back(params->rgvarg[0].lVal);
        return S_OK;
    }

protected:
    void* QueryInterfacePointer(REFIID iid) override
    {
        if (iid == DIID_ITestEvents)
            return static_cast<IDispatch*>(this);
        return CComObject<IDispatch>::QueryInterfacePointer(iid);
    }
};

} // namespace

TEST_F(ComServerTest, EventsReachAdvisedSinksUntilUnadvised)
{
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(calculator.As(container), S_OK);
    CComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.Receive()), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(DIID_ITestEvents, point.Receive()), S_OK);

    auto* sink = new CCountingSink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(sink->GetUnknown(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    CComVariant result;
    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_FIRE, { CComVariant::I4(11) }, &result), S_OK);
    EXPECT_EQ(result.lVal, 1);
    EXPECT_EQ(sink->values, std::vector<LONG>({ 11 }));

    EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    ASSERT_EQ(DispatchCall(calculator.Get(), TEST_DISPID_FIRE, { CComVariant::I4(12) }, &result), S_OK);
    EXPECT_EQ(result.lVal, 0);
    EXPECT_EQ(sink->values.size(), 1u);
    EXPECT_EQ(sink->RefCount(), 1u); // the point gave its reference back
    sink->Release();

    // A sink that does not serve the event interface cannot connect.
    struct CPlain final : CComObject<IUnknown>
    {
    };
    auto* unrelated = new CPlain;
    EXPECT_EQ(point->Advise(unrelated, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(unrelated->RefCount(), 1u);
    unrelated->Release();
}

TEST_F(ComServerTest, LibrariesUnloadOnlyWhenTheyHaveNoObjects)
{
    CoFreeUnusedLibraries();
    void* loaded = dlopen(TEST_COMPONENT_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(loaded, nullptr) << "the live object keeps its library";
    dlclose(loaded);

    calculator.Reset();
    CoFreeUnusedLibraries();
    EXPECT_EQ(dlopen(TEST_COMPONENT_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);

    // And it loads again on demand.
    void* object = nullptr;
    ASSERT_EQ(
        CoCreateInstance(CLSID_TestCalculator, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object), S_OK);
    calculator = CComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(object));
}

TEST_F(ComServerTest, AggregationAndUnknownClassesAreRefused)
{
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(
                  CLSID_TestCalculator, calculator.Get(), CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(
        CoCreateInstance(CLSID_TestCalculator, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory, &object),
        E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_TestCalculator, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &object),
        REGDB_E_CLASSNOTREG);
}

namespace {

void RegisterPath(REFCLSID clsid, const std::string& path)
{
    ASSERT_EQ(ComSetClassesValue("CLSID\\" + GuidToString(clsid) + "\\InprocServer32", nullptr, path),
        ERROR_SUCCESS);
}

constexpr CLSID kOther = GuidLiteral("{0F0E0D0C-0B0A-0908-0706-050403020100}");

} // namespace

TEST(ComLoadTest, LibrariesAreLoadedOnlyFromTheirAbsoluteRegisteredPath)
{
    ComSetRegistrationScope(ComRegistrationScope::User);
    void* object = nullptr;

    RegisterPath(kOther, TEST_NO_FACTORY_PATH);
    EXPECT_EQ(
        CoCreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), CO_E_ERRORINDLL);

    RegisterPath(kOther, "/nonexistent/libnothing.so");
    EXPECT_EQ(
        CoCreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), CO_E_DLLNOTFOUND);

    // A relative path would be looked up in the working directory: refused even
    // when the library is right there.
    const QFileInfo component(QStringLiteral(TEST_COMPONENT_PATH));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(component.absolutePath()));
    RegisterPath(kOther, component.fileName().toStdString());
    EXPECT_EQ(
        CoCreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    RegisterPath(kOther, "./" + component.fileName().toStdString());
    EXPECT_EQ(
        CoCreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), CO_E_DLLNOTFOUND);
    QDir::setCurrent(previous);

    // A registered library that does not serve the class.
    RegisterPath(kOther, TEST_COMPONENT_PATH);
    EXPECT_EQ(CoCreateInstance(kOther, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
        CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    CoFreeUnusedLibraries();
    ComSetRegistrationScope(ComRegistrationScope::Machine);
}

TEST(ComLoadTest, RegistrationFailuresAreReportedWithTheirCodes)
{
    // A hive folder that cannot be made: every write fails.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray previous = qgetenv("KESTAVO_HIVE_DIR");
    qputenv("KESTAVO_HIVE_DIR", dir.filePath(QStringLiteral("blocker/hives")).toUtf8());
    ComSetRegistrationScope(ComRegistrationScope::User);
    // The type library goes first, so its failure is the one reported.
    EXPECT_EQ(CallExport(TEST_COMPONENT_PATH, "DllRegisterServer"), SELFREG_E_TYPELIB);
    qputenv("KESTAVO_HIVE_DIR", previous);
    ComSetRegistrationScope(ComRegistrationScope::Machine);
}

TEST(ComRegisterToolTest, RegistersAndUnregistersForTheUser)
{
    QProcess tool;
    tool.start(QStringLiteral(KESTAVO_REGISTER_PATH),
        { QStringLiteral("--user"), QStringLiteral(TEST_COMPONENT_PATH) });
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, "Software\\Classes\\" + kClassKey), "Test Calculator");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + kClassKey));

    tool.start(QStringLiteral(KESTAVO_REGISTER_PATH),
        { QStringLiteral("--user"), QStringLiteral("--unregister"), QStringLiteral(TEST_COMPONENT_PATH) });
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes\\" + kClassKey));

    tool.start(QStringLiteral(KESTAVO_REGISTER_PATH),
        { QStringLiteral("--user"), QStringLiteral(TEST_NO_FACTORY_PATH) });
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 1);
    tool.start(QStringLiteral(KESTAVO_REGISTER_PATH), { QStringLiteral("--bogus") });
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 2);
}

TEST(ComRegisterToolTest, BuildTreeRegistersComponentsAndTheBoardFolderIdempotently)
{
    // A build tree whose board library is the test component.
    QTemporaryDir tree;
    ASSERT_TRUE(QDir(tree.path()).mkpath(QStringLiteral("lib/kestavo")));
    const QString lib = tree.filePath(QStringLiteral("lib/kestavo/libobrisk.so"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_COMPONENT_PATH), lib));
    const std::string libDir = QFileInfo(lib).canonicalPath().toStdString() + "/";
    const std::string install
        = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Install Information";

    for (int run = 0; run < 2; ++run) {
        QProcess tool;
        tool.start(QStringLiteral(KESTAVO_REGISTER_PATH),
            { QStringLiteral("--user"), QStringLiteral("--build-tree"), tree.path() });
        ASSERT_TRUE(tool.waitForFinished(30000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, install, "Board Directory"), libDir);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Software\\TandrelBoard", "ExeDir"), libDir);
    EXPECT_EQ(QFileInfo(QString::fromStdString(ReadString(HKEY_CLASSES_ROOT, kClassKey + "\\InprocServer32")))
                  .canonicalFilePath(),
        QFileInfo(lib).canonicalFilePath());

    // Kestavo's own settings share the maker's key: unregistering must leave them.
    HKEY own = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tandrel Technologies Inc.\\Kestavo", 0, nullptr,
                  0, KEY_ALL_ACCESS, nullptr, &own, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(own);

    QProcess tool;
    tool.start(QStringLiteral(KESTAVO_REGISTER_PATH),
        { QStringLiteral("--user"), QStringLiteral("--unregister"), QStringLiteral("--build-tree"),
            tree.path() });
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, install));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Tandrel Technologies Inc.\\Tandrel Board Software"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Tandrel Technologies Inc.\\Kestavo"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Software\\TandrelBoard"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}
