#pragma once

#include "platform/registry/HiveFile.h"
#include "platform/registry/Registry.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

// An open key: the key's path and the hives it is looked up in. A key of
// HKEY_CLASSES_ROOT has two layers, the user's Software\Classes first and the
// machine's second; the other roots have one.
struct RegKeyHandle
{
    struct Layer
    {
        std::shared_ptr<CHiveFile> hive;
        std::vector<std::string> base; // the layer's root inside its hive
    };
    std::vector<Layer> layers;
    std::vector<std::string> path; // below the layers' base
    REGSAM sam = 0;
};

// The process's one store behind the Reg* functions: the open handles and
// the hive files. Every call takes one mutex, so handles may be used from
// any thread.
class CRegistryStore
{
public:
    static CRegistryStore& instance();

    LONG createKey(HKEY key, LPCSTR subKey, REGSAM sam, PHKEY result, LPDWORD disposition);
    LONG openKey(HKEY key, LPCSTR subKey, REGSAM sam, PHKEY result);
    LONG closeKey(HKEY key);
    LONG setValue(HKEY key, LPCSTR name, DWORD type, const BYTE* data, DWORD size);
    LONG queryValue(HKEY key, LPCSTR name, LPDWORD type, LPBYTE data, LPDWORD size);
    LONG enumValue(
        HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD type, LPBYTE data, LPDWORD dataSize);
    LONG deleteValue(HKEY key, LPCSTR name);
    LONG enumKey(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPSTR className, LPDWORD classSize);
    LONG deleteKey(HKEY key, LPCSTR subKey);
    LONG deleteTree(HKEY key, LPCSTR subKey);

    LONG flushKey(HKEY key);
    // Saves every hive with unsaved changes (at exit).
    void flushAll();

    // Whole-hive access for moving settings in and out. rootKey is
    // HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE (else ERROR_INVALID_HANDLE).
    // copyHive copies the hive's current tree, unsaved changes included.
    LONG copyHive(HKEY rootKey, CHiveKey& copy);
    // commitToHive applies change to the hive's whole tree and saves it at
    // once, all or nothing (CHiveFile::commit).
    LONG commitToHive(HKEY rootKey, const CHiveFile::Change& change);

    // Number of handles open now (for tests that look for leaks).
    std::size_t openHandleCount();

private:
    CRegistryStore() = default;

    // Fills out with the handle's layers (a predefined key is resolved from
    // the environment now). ERROR_INVALID_HANDLE for an unknown handle.
    LONG resolve(HKEY key, RegKeyHandle& out);
    // The one hive behind HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, else nullptr.
    std::shared_ptr<CHiveFile> wholeHive(HKEY rootKey);
    // resolve, then the full path of subKey below the handle's key.
    LONG resolveSubKey(HKEY key, LPCSTR subKey, RegKeyHandle& out, std::vector<std::string>& full);
    // Opening or creating: result cleared (ERROR_INVALID_PARAMETER without
    // one), then resolveSubKey.
    LONG resolveToOpen(
        HKEY key, LPCSTR subKey, PHKEY result, RegKeyHandle& parent, std::vector<std::string>& full);
    // resolve, then ERROR_ACCESS_DENIED unless the handle grants access; with
    // existing, also the handle's key (ERROR_KEY_DELETED when it is gone).
    LONG resolveFor(HKEY key, REGSAM access, RegKeyHandle& out, const CHiveKey** existing = nullptr);
    std::shared_ptr<CHiveFile> hive(const CHiveLocation& location, const char* rootName);

    // The key in the first layer that has it; layerIndex tells which.
    const CHiveKey* lookup(
        const RegKeyHandle& h, const std::vector<std::string>& path, std::size_t* layerIndex);
    // Applies change to the key in the first layer that has it.
    LONG modifyKey(const RegKeyHandle& h, const std::function<LONG(CHiveKey&, bool&)>& change);
    // deleteKey, or with tree deleteTree: the first layer that has the key
    // loses it (without tree only a key without subkeys, as Windows does).
    LONG deleteSubkey(HKEY key, LPCSTR subKey, bool tree);
    LONG flushLayers(const RegKeyHandle& h);
    // Saves at once what was changed through a root key, which is never closed.
    LONG finish(HKEY key, const RegKeyHandle& h, LONG rc);
    LONG newHandle(const RegKeyHandle& h, std::vector<std::string> path, REGSAM sam, PHKEY result);

    std::mutex m_mutex;
    std::unordered_set<RegKeyHandle*> m_handles;
    std::map<std::string, std::shared_ptr<CHiveFile>> m_hives;
};
