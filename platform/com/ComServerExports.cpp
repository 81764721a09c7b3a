// The exports of a component library, built from its own class table. Compiled
// into every component library (object library kestavo_com_server).

#include "platform/com/ComServer.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

namespace {

// Its address identifies this library to dladdr.
void ModuleAnchor()
{
}

} // namespace

HRESULT CComModule::GetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ComClassInfo& info : m_classes) {
        if (info.clsid != clsid)
            continue;
        CComClassFactory* factory = new (std::nothrow) CComClassFactory(info.create);
        if (!factory)
            return E_OUTOFMEMORY;
        const HRESULT hr = factory->QueryInterface(iid, object);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComModule::CanUnloadNow() const
{
    return objects.load() == 0 && locks.load() == 0 ? S_OK : S_FALSE;
}

std::string CComModule::Path() const
{
    Dl_info info {};
    if (!dladdr(reinterpret_cast<void*>(&ModuleAnchor), &info) || !info.dli_fname)
        return std::string();
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved))
        return resolved;
    return info.dli_fname;
}

HRESULT CComModule::RegisterServer()
{
    const std::string path = Path();
    if (m_typeLib && FAILED(ComRegisterTypeLib(*m_typeLib, path)))
        return SELFREG_E_TYPELIB;
    for (const ComClassInfo& info : m_classes) {
        if (FAILED(ComRegisterClass(info, path)))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT CComModule::UnregisterServer()
{
    if (m_typeLib && FAILED(ComUnregisterTypeLib(*m_typeLib)))
        return SELFREG_E_TYPELIB;
    for (const ComClassInfo& info : m_classes) {
        if (FAILED(ComUnregisterClass(info)))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

extern "C" {

KESTAVO_COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    return ComThisModule().GetClassObject(clsid, iid, object);
}

KESTAVO_COM_EXPORT HRESULT DllCanUnloadNow()
{
    return ComThisModule().CanUnloadNow();
}

KESTAVO_COM_EXPORT HRESULT DllRegisterServer()
{
    return ComThisModule().RegisterServer();
}

KESTAVO_COM_EXPORT HRESULT DllUnregisterServer()
{
    return ComThisModule().UnregisterServer();
}
}
