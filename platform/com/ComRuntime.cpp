// Object creation through the classes hive, and the cache of loaded component libraries.

#include "platform/com/Com.h"
#include "platform/registry/Registry.h"

#include <QLoggingCategory>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <string>

Q_LOGGING_CATEGORY(lcCom, "kestavo.com")

namespace {

struct LoadedModule
{
    void* handle = nullptr;
    PFN_DllGetClassObject getClassObject = nullptr;
    PFN_DllCanUnloadNow canUnloadNow = nullptr;
};

std::mutex& CacheLock()
{
    static std::mutex lock;
    return lock;
}
std::map<std::string, LoadedModule>& Cache()
{
    static std::map<std::string, LoadedModule> cache;
    return cache;
}

// The registered library path of a class, or an error code.
HRESULT RegisteredPath(REFCLSID clsid, std::string* path)
{
    const std::string subKey = "CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return REGDB_E_CLASSNOTREG;
    char buffer[4096];
    DWORD size = sizeof buffer - 1;
    DWORD type = REG_NONE;
    const LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return REGDB_E_CLASSNOTREG;
    buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
    *path = buffer;
    if (path->empty())
        return REGDB_E_CLASSNOTREG;
    return S_OK;
}

// Loads (or finds in the cache) the library at an absolute path.
HRESULT LoadModule(const std::string& path, LoadedModule* out)
{
    std::lock_guard<std::mutex> guard(CacheLock());
    auto found = Cache().find(path);
    if (found != Cache().end()) {
        *out = found->second;
        return S_OK;
    }
    // Never search: a relative path would pick up whatever lies in the working directory.
    if (path.empty() || path[0] != '/') {
        qCWarning(lcCom, "component library path is not absolute, refused: %s", path.c_str());
        return CO_E_DLLNOTFOUND;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        qCWarning(
            lcCom, "cannot load component library %s: %s", path.c_str(), error ? error : "unknown error");
        return CO_E_DLLNOTFOUND;
    }
    LoadedModule module;
    module.handle = handle;
    module.getClassObject = reinterpret_cast<PFN_DllGetClassObject>(dlsym(handle, "DllGetClassObject"));
    module.canUnloadNow = reinterpret_cast<PFN_DllCanUnloadNow>(dlsym(handle, "DllCanUnloadNow"));
    if (!module.getClassObject) {
        qCWarning(lcCom, "component library %s exports no DllGetClassObject", path.c_str());
        dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    Cache()[path] = module;
    *out = module;
    return S_OK;
}

} // namespace

HRESULT CoInitialize(void*)
{
    return S_OK;
}

void CoUninitialize()
{
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    std::string path;
    HRESULT hr = RegisteredPath(clsid, &path);
    if (FAILED(hr))
        return hr;
    LoadedModule module;
    hr = LoadModule(path, &module);
    if (FAILED(hr))
        return hr;
    return module.getClassObject(clsid, iid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr
        = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    if (!factory)
        return E_UNEXPECTED;
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries()
{
    std::lock_guard<std::mutex> guard(CacheLock());
    for (auto it = Cache().begin(); it != Cache().end();) {
        const LoadedModule& module = it->second;
        if (module.canUnloadNow && module.canUnloadNow() == S_OK) {
            dlclose(module.handle);
            it = Cache().erase(it);
        } else {
            ++it;
        }
    }
}

void* CoTaskMemAlloc(std::size_t size)
{
    return std::malloc(size ? size : 1);
}

void* CoTaskMemRealloc(void* block, std::size_t size)
{
    return std::realloc(block, size ? size : 1);
}

void CoTaskMemFree(void* block)
{
    std::free(block);
}
