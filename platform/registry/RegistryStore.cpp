#include "platform/registry/RegistryStore.h"

#include "platform/registry/KeyPath.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isPredefined(HKEY key)
{
    return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE || key == HKEY_CLASSES_ROOT;
}

std::vector<std::string> concat(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::string> out;
    out.reserve(a.size() + b.size());
    out.insert(out.end(), a.begin(), a.end());
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// Copies a name with its NUL into a caller's buffer of *size characters.
// On success *size is the length without the NUL, as Win32 reports it; when
// the buffer is too small *size is set to the size needed, NUL included.
LONG copyName(const std::string& name, LPSTR buffer, LPDWORD size)
{
    if (name.size() + 1 > *size) {
        *size = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Copies value data into a caller's buffer under the Win32 size rules.
LONG copyData(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD size)
{
    const auto needed = static_cast<DWORD>(data.size());
    if (buffer) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (needed)
            std::memcpy(buffer, data.data(), needed);
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

const CHiveKey& emptyKey()
{
    static const CHiveKey empty;
    return empty;
}

} // namespace

CRegistryStore& CRegistryStore::instance()
{
    // Never destroyed: components and static objects may still close keys
    // while the process exits.
    static CRegistryStore* store = [] {
        auto* created = new CRegistryStore;
        // Changes not yet saved because a key was left open are saved at exit.
        std::atexit([] { CRegistryStore::instance().flushAll(); });
        return created;
    }();
    return *store;
}

std::shared_ptr<CHiveFile> CRegistryStore::hive(const CHiveLocation& location, const char* rootName)
{
    auto it = m_hives.find(location.file);
    if (it != m_hives.end())
        return it->second;
    // Forget hives no open key refers to any more (tests move the folder per case).
    for (auto i = m_hives.begin(); i != m_hives.end();) {
        if (i->second.use_count() == 1
            && (!i->second->hasPendingChanges() || i->second->flush() == ERROR_SUCCESS))
            i = m_hives.erase(i);
        else
            ++i;
    }
    auto created = std::make_shared<CHiveFile>(location, rootName);
    m_hives.emplace(location.file, created);
    return created;
}

LONG CRegistryStore::resolve(HKEY key, RegKeyHandle& out)
{
    if (isPredefined(key)) {
        out = RegKeyHandle {};
        out.sam = KEY_ALL_ACCESS;
        if (key == HKEY_CURRENT_USER) {
            out.layers.push_back({ hive(CHiveLocation::user(), "HKEY_CURRENT_USER"), {} });
        } else if (key == HKEY_LOCAL_MACHINE) {
            out.layers.push_back({ hive(CHiveLocation::machine(), "HKEY_LOCAL_MACHINE"), {} });
        } else {
            const std::vector<std::string> classes { "Software", "Classes" };
            out.layers.push_back({ hive(CHiveLocation::user(), "HKEY_CURRENT_USER"), classes });
            out.layers.push_back({ hive(CHiveLocation::machine(), "HKEY_LOCAL_MACHINE"), classes });
        }
        return ERROR_SUCCESS;
    }
    if (!key || m_handles.count(key) == 0)
        return ERROR_INVALID_HANDLE;
    out = *key;
    return ERROR_SUCCESS;
}

const CHiveKey* CRegistryStore::lookup(
    const RegKeyHandle& h, const std::vector<std::string>& path, std::size_t* layerIndex)
{
    for (std::size_t i = 0; i < h.layers.size(); ++i) {
        const RegKeyHandle::Layer& layer = h.layers[i];
        if (const CHiveKey* k = layer.hive->root().find(concat(layer.base, path))) {
            if (layerIndex)
                *layerIndex = i;
            return k;
        }
    }
    if (path.empty()) {
        // The root of a view always exists, even before its base key is written.
        if (layerIndex)
            *layerIndex = h.layers.size() - 1;
        return &emptyKey();
    }
    return nullptr;
}

LONG CRegistryStore::modifyKey(const RegKeyHandle& h, const std::function<LONG(CHiveKey&, bool&)>& change)
{
    std::size_t index = 0;
    if (!lookup(h, h.path, &index))
        return ERROR_KEY_DELETED;
    const RegKeyHandle::Layer& layer = h.layers[index];
    const std::vector<std::string> full = concat(layer.base, h.path);
    const bool isViewRoot = h.path.empty();
    return layer.hive->modify([full, isViewRoot, change](CHiveKey& root, bool& changed) -> LONG {
        CHiveKey* key = isViewRoot ? &root.create(full) : root.find(full);
        if (!key)
            return ERROR_KEY_DELETED;
        return change(*key, changed);
    });
}

LONG CRegistryStore::resolveSubKey(HKEY key, LPCSTR subKey, RegKeyHandle& out, std::vector<std::string>& full)
{
    if (const LONG rc = resolve(key, out); rc != ERROR_SUCCESS)
        return rc;
    std::vector<std::string> parts;
    if (const LONG rc = CKeyPath::split(subKey, parts); rc != ERROR_SUCCESS)
        return rc;
    full = concat(out.path, parts);
    return ERROR_SUCCESS;
}

LONG CRegistryStore::resolveToOpen(
    HKEY key, LPCSTR subKey, PHKEY result, RegKeyHandle& parent, std::vector<std::string>& full)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    return resolveSubKey(key, subKey, parent, full);
}

LONG CRegistryStore::resolveFor(HKEY key, REGSAM access, RegKeyHandle& out, const CHiveKey** existing)
{
    if (const LONG rc = resolve(key, out); rc != ERROR_SUCCESS)
        return rc;
    if ((out.sam & access) == 0)
        return ERROR_ACCESS_DENIED;
    if (!existing)
        return ERROR_SUCCESS;
    *existing = lookup(out, out.path, nullptr);
    return *existing ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG CRegistryStore::newHandle(const RegKeyHandle& h, std::vector<std::string> path, REGSAM sam, PHKEY result)
{
    auto* handle = new RegKeyHandle { h.layers, std::move(path), sam };
    m_handles.insert(handle);
    *result = handle;
    return ERROR_SUCCESS;
}

LONG CRegistryStore::createKey(HKEY key, LPCSTR subKey, REGSAM sam, PHKEY result, LPDWORD disposition)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle parent;
    std::vector<std::string> full;
    if (const LONG rc = resolveToOpen(key, subKey, result, parent, full); rc != ERROR_SUCCESS)
        return rc;
    if (full.size() > CKeyPath::kMaxDepth)
        return ERROR_INVALID_PARAMETER;

    if (lookup(parent, full, nullptr)) {
        if (disposition)
            *disposition = REG_OPENED_EXISTING_KEY;
        return newHandle(parent, std::move(full), sam, result);
    }
    if (!lookup(parent, parent.path, nullptr))
        return ERROR_KEY_DELETED;
    if ((parent.sam & KEY_CREATE_SUB_KEY) == 0)
        return ERROR_ACCESS_DENIED;

    // New keys go to the last layer: for the classes view that is the machine's.
    const RegKeyHandle::Layer& layer = parent.layers.back();
    auto created = std::make_shared<bool>(false);
    const LONG rc
        = layer.hive->modify([path = concat(layer.base, full), created](CHiveKey& root, bool& changed) {
              root.create(path, &changed);
              *created = changed;
              return ERROR_SUCCESS;
          });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (disposition)
        *disposition = *created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return newHandle(parent, std::move(full), sam, result);
}

LONG CRegistryStore::openKey(HKEY key, LPCSTR subKey, REGSAM sam, PHKEY result)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle parent;
    std::vector<std::string> full;
    if (const LONG rc = resolveToOpen(key, subKey, result, parent, full); rc != ERROR_SUCCESS)
        return rc;
    if (!lookup(parent, full, nullptr))
        return lookup(parent, parent.path, nullptr) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
    return newHandle(parent, std::move(full), sam, result);
}

LONG CRegistryStore::closeKey(HKEY key)
{
    if (isPredefined(key))
        return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(m_mutex);
    if (!key || m_handles.erase(key) == 0)
        return ERROR_INVALID_HANDLE;
    const LONG rc = flushLayers(*key);
    delete key;
    return rc;
}

LONG CRegistryStore::flushKey(HKEY key)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    if (const LONG rc = resolve(key, h); rc != ERROR_SUCCESS)
        return rc;
    return flushLayers(h);
}

LONG CRegistryStore::flushLayers(const RegKeyHandle& h)
{
    LONG result = ERROR_SUCCESS;
    for (const RegKeyHandle::Layer& layer : h.layers) {
        if (!layer.hive->hasPendingChanges())
            continue;
        const LONG rc = layer.hive->flush();
        if (rc != ERROR_SUCCESS) {
            std::fprintf(stderr,
                "kestavo: cannot save settings file %s (error %d); the change is kept in memory\n",
                layer.hive->path().c_str(), static_cast<int>(rc));
            result = rc;
        }
    }
    return result;
}

LONG CRegistryStore::finish(HKEY key, const RegKeyHandle& h, LONG rc)
{
    // A root key is never closed, so what is changed through it is saved at once.
    if (rc == ERROR_SUCCESS && isPredefined(key))
        return flushLayers(h);
    return rc;
}

void CRegistryStore::flushAll()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    for (auto& entry : m_hives) {
        if (entry.second->hasPendingChanges() && entry.second->flush() != ERROR_SUCCESS)
            std::fprintf(stderr, "kestavo: cannot save settings file %s; recent changes are lost\n",
                entry.first.c_str());
    }
}

LONG CRegistryStore::setValue(HKEY key, LPCSTR name, DWORD type, const BYTE* data, DWORD size)
{
    if (!data && size > 0)
        return ERROR_INVALID_PARAMETER;
    if (size > CKeyPath::kMaxValueDataSize)
        return ERROR_INVALID_PARAMETER;
    const std::string valueName = name ? name : "";
    if (valueName.size() > CKeyPath::kMaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    if (const LONG rc = resolveFor(key, KEY_SET_VALUE, h); rc != ERROR_SUCCESS)
        return rc;
    std::vector<BYTE> bytes(data, data + size);
    const LONG rc = modifyKey(h, [valueName, type, bytes](CHiveKey& k, bool& changed) -> LONG {
        const CHiveKey::Value* old = k.findValue(valueName);
        changed = !old || old->type != type || old->data != bytes;
        if (changed)
            k.setValue(valueName, type, bytes);
        return ERROR_SUCCESS;
    });
    return finish(key, h, rc);
}

LONG CRegistryStore::queryValue(HKEY key, LPCSTR name, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    const CHiveKey* k = nullptr;
    if (const LONG rc = resolveFor(key, KEY_QUERY_VALUE, h, &k); rc != ERROR_SUCCESS)
        return rc;
    const CHiveKey::Value* v = k->findValue(name ? name : "");
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = v->type;
    return copyData(v->data, data, size);
}

LONG CRegistryStore::enumValue(
    HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (!name || !nameSize || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    const CHiveKey* k = nullptr;
    if (const LONG rc = resolveFor(key, KEY_QUERY_VALUE, h, &k); rc != ERROR_SUCCESS)
        return rc;
    if (index >= k->values().size())
        return ERROR_NO_MORE_ITEMS;
    const CHiveKey::Value& v = k->values()[index];
    if (const LONG rc = copyName(v.name, name, nameSize); rc != ERROR_SUCCESS)
        return rc;
    if (type)
        *type = v.type;
    return copyData(v.data, data, dataSize);
}

LONG CRegistryStore::deleteValue(HKEY key, LPCSTR name)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    if (const LONG rc = resolveFor(key, KEY_SET_VALUE, h); rc != ERROR_SUCCESS)
        return rc;
    const std::string valueName = name ? name : "";
    const LONG rc = modifyKey(h, [valueName](CHiveKey& k, bool& changed) -> LONG {
        changed = k.removeValue(valueName);
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
    return finish(key, h, rc);
}

LONG CRegistryStore::enumKey(
    HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPSTR className, LPDWORD classSize)
{
    if (!name || !nameSize)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    const CHiveKey* existing = nullptr;
    if (const LONG rc = resolveFor(key, KEY_ENUMERATE_SUB_KEYS, h, &existing); rc != ERROR_SUCCESS)
        return rc;

    // The subkeys of every layer, the first layer's first, each name once.
    std::vector<std::string> names;
    for (const RegKeyHandle::Layer& layer : h.layers) {
        const CHiveKey* k = layer.hive->root().find(concat(layer.base, h.path));
        if (!k)
            continue;
        for (std::size_t i = 0; i < k->subkeyCount(); ++i) {
            const std::string& n = k->subkey(i).name();
            bool seen = false;
            for (const std::string& s : names)
                seen = seen || CHiveKey::sameName(s, n);
            if (!seen)
                names.push_back(n);
        }
        if (h.layers.size() == 1 && index >= names.size())
            break;
    }
    if (index >= names.size())
        return ERROR_NO_MORE_ITEMS;
    if (const LONG rc = copyName(names[index], name, nameSize); rc != ERROR_SUCCESS)
        return rc;
    if (className && classSize && *classSize > 0)
        className[0] = '\0';
    if (classSize)
        *classSize = 0;
    return ERROR_SUCCESS;
}

LONG CRegistryStore::deleteKey(HKEY key, LPCSTR subKey)
{
    return deleteSubkey(key, subKey, false);
}

LONG CRegistryStore::deleteTree(HKEY key, LPCSTR subKey)
{
    return deleteSubkey(key, subKey, true);
}

LONG CRegistryStore::deleteSubkey(HKEY key, LPCSTR subKey, bool tree)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    RegKeyHandle h;
    std::vector<std::string> full;
    if (const LONG rc = resolveSubKey(key, subKey, h, full); rc != ERROR_SUCCESS)
        return rc;
    if (tree && full.size() == h.path.size()) {
        // A tree without a subkey: empty the key itself but keep it.
        const LONG rc = modifyKey(h, [](CHiveKey& k, bool& changed) -> LONG {
            changed = !k.values().empty() || k.subkeyCount() > 0;
            k.clear();
            return ERROR_SUCCESS;
        });
        return finish(key, h, rc);
    }
    if (full.empty())
        return ERROR_ACCESS_DENIED; // a root cannot be deleted
    std::size_t index = 0;
    if (!lookup(h, full, &index))
        return ERROR_FILE_NOT_FOUND;
    const RegKeyHandle::Layer& layer = h.layers[index];
    std::vector<std::string> parentPath = concat(layer.base, full);
    const std::string last = parentPath.back();
    parentPath.pop_back();
    const LONG rc = layer.hive->modify([parentPath, last, tree](CHiveKey& root, bool& changed) -> LONG {
        CHiveKey* parentKey = root.find(parentPath);
        CHiveKey* victim = parentKey ? parentKey->findSubkey(last) : nullptr;
        if (!victim)
            return ERROR_FILE_NOT_FOUND;
        if (!tree && victim->subkeyCount() > 0)
            return ERROR_ACCESS_DENIED; // as Windows: only a key without subkeys
        changed = parentKey->removeSubkey(last);
        return ERROR_SUCCESS;
    });
    return finish(key, h, rc);
}

std::size_t CRegistryStore::openHandleCount()
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_handles.size();
}

std::shared_ptr<CHiveFile> CRegistryStore::wholeHive(HKEY rootKey)
{
    if (rootKey == HKEY_CURRENT_USER)
        return hive(CHiveLocation::user(), "HKEY_CURRENT_USER");
    if (rootKey == HKEY_LOCAL_MACHINE)
        return hive(CHiveLocation::machine(), "HKEY_LOCAL_MACHINE");
    return nullptr;
}

LONG CRegistryStore::copyHive(HKEY rootKey, CHiveKey& copy)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::shared_ptr<CHiveFile> file = wholeHive(rootKey);
    if (!file)
        return ERROR_INVALID_HANDLE;
    copy = file->root();
    return ERROR_SUCCESS;
}

LONG CRegistryStore::commitToHive(HKEY rootKey, const CHiveFile::Change& change)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    const std::shared_ptr<CHiveFile> file = wholeHive(rootKey);
    if (!file)
        return ERROR_INVALID_HANDLE;
    return file->commit(change);
}
