// Writing and removing the class and type library keys of component libraries.

#include "platform/com/ComServer.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<ComRegistrationScope> g_scope { ComRegistrationScope::Machine };

const std::string kClasses = "Software\\Classes\\";

HRESULT FromStore(LONG rc)
{
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

// Deletes a key tree under Software\Classes; a key that is not there is no error.
HRESULT DeleteClassesTree(const std::string& subKey)
{
    const LONG rc = RegDeleteTreeA(ComRegistrationHive(), (kClasses + subKey).c_str());
    if (rc == ERROR_FILE_NOT_FOUND)
        return S_OK;
    return FromStore(rc);
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

void ComSetRegistrationScope(ComRegistrationScope scope)
{
    g_scope.store(scope);
}

ComRegistrationScope ComGetRegistrationScope()
{
    return g_scope.load();
}

HKEY ComRegistrationHive()
{
    return ComGetRegistrationScope() == ComRegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

LONG ComSetClassesValue(const std::string& subKey, const char* valueName, const std::string& value)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(ComRegistrationHive(), (kClasses + subKey).c_str(), 0, nullptr,
        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
        static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return rc;
}

HRESULT ComRegisterClass(const ComClassInfo& info, const std::string& modulePath)
{
    if (modulePath.empty() || modulePath[0] != '/')
        return E_INVALIDARG;
    const std::string clsid = GuidToString(info.clsid);
    const std::string classKey = "CLSID\\" + clsid;
    const char* typeName = info.typeName ? info.typeName : "";
    LONG rc = ComSetClassesValue(classKey, nullptr, typeName);
    if (rc == ERROR_SUCCESS)
        rc = ComSetClassesValue(classKey + "\\InprocServer32", nullptr, modulePath);
    if (rc == ERROR_SUCCESS && info.threadingModel)
        rc = ComSetClassesValue(classKey + "\\InprocServer32", "ThreadingModel", info.threadingModel);
    if (rc == ERROR_SUCCESS && info.progId && *info.progId) {
        rc = ComSetClassesValue(classKey + "\\ProgID", nullptr, info.progId);
        if (rc == ERROR_SUCCESS)
            rc = ComSetClassesValue(info.progId, nullptr, typeName);
        if (rc == ERROR_SUCCESS)
            rc = ComSetClassesValue(std::string(info.progId) + "\\CLSID", nullptr, clsid);
    }
    if (rc != ERROR_SUCCESS)
        return FromStore(rc);
    if (info.registerExtra) {
        HKEY key = nullptr;
        rc = RegOpenKeyExA(ComRegistrationHive(), (kClasses + classKey).c_str(), 0, KEY_ALL_ACCESS, &key);
        if (rc != ERROR_SUCCESS)
            return FromStore(rc);
        const HRESULT hr = info.registerExtra(key);
        RegCloseKey(key);
        return hr;
    }
    return S_OK;
}

HRESULT ComUnregisterClass(const ComClassInfo& info)
{
    HRESULT hr = DeleteClassesTree("CLSID\\" + GuidToString(info.clsid));
    if (SUCCEEDED(hr) && info.progId && *info.progId)
        hr = DeleteClassesTree(info.progId);
    return hr;
}

HRESULT ComRegisterTypeLib(const ComTypeLibInfo& info, const std::string& modulePath)
{
    if (modulePath.empty() || modulePath[0] != '/')
        return E_INVALIDARG;
    const std::string libid = GuidToString(info.libid);
    const std::string version = std::to_string(info.majorVersion) + "." + std::to_string(info.minorVersion);
    const std::string versionKey = "TypeLib\\" + libid + "\\" + version;
    LONG rc = ComSetClassesValue(versionKey, nullptr, info.name ? info.name : "");
    if (rc == ERROR_SUCCESS)
        rc = ComSetClassesValue(versionKey + "\\0\\linux", nullptr, modulePath);
    if (rc == ERROR_SUCCESS)
        rc = ComSetClassesValue(versionKey + "\\FLAGS", nullptr, "0");
    if (rc == ERROR_SUCCESS)
        rc = ComSetClassesValue(versionKey + "\\HELPDIR", nullptr,
            info.helpDir ? std::string(info.helpDir) : FolderOf(modulePath));
    for (const ComInterfaceInfo& itf : info.interfaces) {
        if (rc != ERROR_SUCCESS)
            break;
        const std::string key = "Interface\\" + GuidToString(itf.iid);
        rc = ComSetClassesValue(key, nullptr, itf.name ? itf.name : "");
        if (rc == ERROR_SUCCESS && itf.dispatchOnly)
            rc = ComSetClassesValue(
                key + "\\ProxyStubClsid32", nullptr, "{00020420-0000-0000-C000-000000000046}");
        if (rc == ERROR_SUCCESS)
            rc = ComSetClassesValue(key + "\\TypeLib", nullptr, libid);
        if (rc == ERROR_SUCCESS)
            rc = ComSetClassesValue(key + "\\TypeLib", "Version", version);
    }
    return FromStore(rc);
}

HRESULT ComUnregisterTypeLib(const ComTypeLibInfo& info)
{
    HRESULT hr = S_OK;
    for (const ComInterfaceInfo& itf : info.interfaces) {
        if (SUCCEEDED(hr))
            hr = DeleteClassesTree("Interface\\" + GuidToString(itf.iid));
    }
    if (SUCCEEDED(hr))
        hr = DeleteClassesTree("TypeLib\\" + GuidToString(info.libid));
    return hr;
}
