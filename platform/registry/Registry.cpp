// The Win32 registry calling contract, served by the process's one store.
#include "platform/registry/Registry.h"

#include "platform/registry/RegistryStore.h"

#include <new>

namespace {

// The calling contract has no exceptions: running out of memory anywhere in a
// call becomes its error code.
template <class Call> LONG guarded(Call call)
{
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return ERROR_INVALID_PARAMETER;
    }
}

} // namespace

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM sam, SECURITY_ATTRIBUTES*,
    PHKEY result, LPDWORD disposition)
{
    return guarded(
        [&] { return CRegistryStore::instance().createKey(key, subKey, sam, result, disposition); });
}

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM sam, PHKEY result)
{
    return guarded([&] { return CRegistryStore::instance().openKey(key, subKey, sam, result); });
}

LONG RegCloseKey(HKEY key)
{
    return guarded([&] { return CRegistryStore::instance().closeKey(key); });
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    return guarded([&] { return CRegistryStore::instance().setValue(key, valueName, type, data, dataSize); });
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    return guarded(
        [&] { return CRegistryStore::instance().queryValue(key, valueName, type, data, dataSize); });
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD, LPDWORD type,
    LPBYTE data, LPDWORD dataSize)
{
    return guarded([&] {
        return CRegistryStore::instance().enumValue(
            key, index, valueName, valueNameSize, type, data, dataSize);
    });
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName)
{
    return guarded([&] { return CRegistryStore::instance().deleteValue(key, valueName); });
}

LONG RegEnumKeyExA(
    HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR className, LPDWORD classSize, void*)
{
    return guarded(
        [&] { return CRegistryStore::instance().enumKey(key, index, name, nameSize, className, classSize); });
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey)
{
    return guarded([&] { return CRegistryStore::instance().deleteKey(key, subKey); });
}

LONG RegDeleteTreeA(HKEY key, LPCSTR subKey)
{
    return guarded([&] { return CRegistryStore::instance().deleteTree(key, subKey); });
}

LONG RegFlushKey(HKEY key)
{
    return guarded([&] { return CRegistryStore::instance().flushKey(key); });
}
