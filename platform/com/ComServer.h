#pragma once

// Building a component library.
//
// Each shared library has its own class table (ComThisModule()). A class adds
// itself from its own .cpp with a static registrar, so several authors can put
// classes into one library without a shared list:
//
//   static CComClassRegistrar<CInkStroke> s_inkStroke(CLSID_InkStroke, "Ink Stroke", nullptr, "Both");
//
// The library's exports DllGetClassObject, DllCanUnloadNow, DllRegisterServer and
// DllUnregisterServer come from the object library kestavo_com_server: link it
// into the component (target_link_libraries(mylib PRIVATE kestavo_com_server)).
//
// Registration writes under Software\Classes of the machine hive, or of the user
// hive when ComSetRegistrationScope(User) was called (kestavo-register --user):
//   CLSID\{clsid}                      default = type name
//   CLSID\{clsid}\InprocServer32       default = absolute path of the library,
//                                      ThreadingModel = threading model
//   CLSID\{clsid}\ProgID               default = ProgID          (when given)
//   <ProgID>                           default = type name
//   <ProgID>\CLSID                     default = {clsid}
// plus what the class's registerExtra writes under CLSID\{clsid}, and the type
// library entries (TypeLib\{libid}\<version>, Interface\{iid}). Unregistering
// deletes exactly those keys.
//
// Build a component library with hidden visibility (CXX_VISIBILITY_PRESET hidden,
// VISIBILITY_INLINES_HIDDEN ON; the four exports stay visible): its copies of the
// CComObject templates then bind to its own module counts even when the program
// holds the same instantiations.

#include "platform/com/Com.h"
#include "platform/com/ComModule.h"
#include "platform/com/ComObject.h"
#include "platform/registry/Registry.h"

#include <new>
#include <string>

enum class ComRegistrationScope
{
    Machine,
    User
};

// Where DllRegisterServer/DllUnregisterServer write in this process (default Machine).
void ComSetRegistrationScope(ComRegistrationScope scope);
ComRegistrationScope ComGetRegistrationScope();
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, after the scope.
HKEY ComRegistrationHive();

// Writes / deletes one class's keys (see above). modulePath must be absolute.
// The results are HRESULTs built from the store's error codes.
HRESULT ComRegisterClass(const ComClassInfo& info, const std::string& modulePath);
HRESULT ComUnregisterClass(const ComClassInfo& info);
HRESULT ComRegisterTypeLib(const ComTypeLibInfo& info, const std::string& modulePath);
HRESULT ComUnregisterTypeLib(const ComTypeLibInfo& info);

// Sets a REG_SZ value under Software\Classes\<subKey> of the registration hive,
// creating the key (valueName null = default value).
LONG ComSetClassesValue(const std::string& subKey, const char* valueName, const std::string& value);

// The usual creator for ComClassInfo::create: new T, QueryInterface, no aggregation.
template <class T> KESTAVO_MODULE_LOCAL HRESULT ComCreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    T* created = new (std::nothrow) T;
    if (!created)
        return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

// Adds T to this library's class table at load time.
template <class T> class KESTAVO_MODULE_LOCAL CComClassRegistrar
{
public:
    CComClassRegistrar(REFCLSID clsid, const char* typeName, const char* progId = nullptr,
        const char* threadingModel = "Apartment", HRESULT (*registerExtra)(HKEY) = nullptr)
    {
        ComThisModule().AddClass(
            ComClassInfo { clsid, typeName, progId, threadingModel, &ComCreateInstance<T>, registerExtra });
    }
};

// Sets this library's type library (registered before the classes).
class KESTAVO_MODULE_LOCAL CComTypeLibRegistrar
{
public:
    explicit CComTypeLibRegistrar(const ComTypeLibInfo* info) { ComThisModule().SetTypeLib(info); }
};

// The class factory handed out by DllGetClassObject.
class KESTAVO_MODULE_LOCAL CComClassFactory final : public CComObject<IClassFactory>
{
public:
    explicit CComClassFactory(HRESULT (*create)(IUnknown*, REFIID, void**))
        : m_create(create)
    {
    }

    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        return m_create(outer, iid, object);
    }
    HRESULT LockServer(BOOL lock) override
    {
        if (lock)
            ComThisModule().locks.fetch_add(1);
        else
            ComThisModule().locks.fetch_sub(1);
        return S_OK;
    }

private:
    HRESULT (*m_create)(IUnknown*, REFIID, void**);
};

#define KESTAVO_COM_EXPORT __attribute__((visibility("default")))

extern "C" {
KESTAVO_COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object);
KESTAVO_COM_EXPORT HRESULT DllCanUnloadNow();
KESTAVO_COM_EXPORT HRESULT DllRegisterServer();
KESTAVO_COM_EXPORT HRESULT DllUnregisterServer();
}
