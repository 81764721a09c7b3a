// kestavo-register: registers component libraries in the machine or the user
// hive by calling their DllRegisterServer / DllUnregisterServer.
//
//   kestavo-register [--user|--machine] [--unregister] LIB...
//   kestavo-register --user [--unregister] --build-tree DIR
//   kestavo-register [--user|--machine] [--unregister] --board-dir DIR [LIB...]
//
// --build-tree registers DIR/lib/kestavo/libvaltrix.so and libobrisk.so (those
// present) and records the board software's folder (the one holding libcallig.so)
// where the pen input control looks for its recogniser.
// --board-dir records DIR as that folder (what an install does); with
// --unregister the record is removed only while it still names DIR, so removing
// one installation never takes another installation's record with it.

#include "platform/com/ComServer.h"
#include "platform/registry/Registry.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

const char* const kInstallKey
    = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Install Information";
const char* const kInstallValue = "Board Directory";
// Seen through the classes root as "Software\TandrelBoard", the recogniser's fourth place.
const char* const kClassesBoardKey = "Software\\Classes\\Software\\TandrelBoard";
const char* const kClassesBoardValue = "ExeDir";

int Usage()
{
    std::fprintf(stderr,
        "usage: kestavo-register [--user|--machine] [--unregister] LIB...\n"
        "       kestavo-register --user [--unregister] --build-tree DIR\n"
        "       kestavo-register [--user|--machine] [--unregister] --board-dir DIR [LIB...]\n");
    return 2;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::string Absolute(const std::string& path)
{
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved))
        return resolved;
    return std::string();
}

bool CallEntry(const std::string& library, bool unregister)
{
    const std::string path = Absolute(library);
    if (path.empty()) {
        std::fprintf(stderr, "kestavo-register: %s: no such file\n", library.c_str());
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        std::fprintf(stderr, "kestavo-register: cannot load %s: %s\n", path.c_str(), error ? error : "");
        return false;
    }
    const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto function = reinterpret_cast<PFN_DllRegisterServer>(dlsym(handle, entry));
    if (!function) {
        std::fprintf(stderr, "kestavo-register: %s exports no %s\n", path.c_str(), entry);
        dlclose(handle);
        return false;
    }
    const HRESULT hr = function();
    // Component libraries may keep Qt state alive: leave them loaded until exit.
    if (FAILED(hr)) {
        std::fprintf(stderr, "kestavo-register: %s of %s failed: 0x%08X\n", entry, path.c_str(),
            static_cast<unsigned>(hr));
        return false;
    }
    std::printf("%s %s\n", unregister ? "unregistered" : "registered", path.c_str());
    return true;
}

bool SetString(HKEY hive, const char* subKey, const char* name, const std::string& value)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(
        hive, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc == ERROR_SUCCESS) {
        rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
            static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS)
        std::fprintf(stderr, "kestavo-register: cannot write %s: error %d\n", subKey, static_cast<int>(rc));
    return rc == ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY hive, const std::string& subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char name[512];
    DWORD nameSize = sizeof name;
    const bool noValues
        = RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
    nameSize = sizeof name;
    const bool noKeys
        = RegEnumKeyExA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
    RegCloseKey(key);
    return noValues && noKeys;
}

// Removes one value and then every key on its path that it left empty, up to
// (not including) the top-level "Software" key.
bool RemoveString(HKEY hive, const std::string& subKey, const char* name)
{
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExA(hive, subKey.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (rc == ERROR_FILE_NOT_FOUND)
        return true;
    if (rc == ERROR_SUCCESS) {
        rc = RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
        std::fprintf(
            stderr, "kestavo-register: cannot remove %s: error %d\n", subKey.c_str(), static_cast<int>(rc));
        return false;
    }
    std::string path = subKey;
    while (path.find('\\') != std::string::npos && IsEmptyKey(hive, path)) {
        if (RegDeleteKeyA(hive, path.c_str()) != ERROR_SUCCESS)
            break;
        path.erase(path.find_last_of('\\'));
    }
    return true;
}

bool ReadString(HKEY hive, const char* subKey, const char* name, std::string& value)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    std::string buffer(size, '\0');
    if (rc == ERROR_SUCCESS && type == REG_SZ && size > 0)
        rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return false;
    value = std::string(buffer.c_str());
    return true;
}

bool BoardDirectory(const std::string& dir, bool unregister, HKEY hive)
{
    std::string folder = Absolute(dir);
    if (folder.empty()) {
        // Unregistering after the files are gone still removes the record.
        if (!unregister || dir.empty() || dir[0] != '/') {
            std::fprintf(stderr, "kestavo-register: %s: no such folder\n", dir.c_str());
            return false;
        }
        folder = dir;
    }
    if (folder.back() != '/')
        folder += '/';
    // The control reads the install record from the machine hive only; for one
    // user the classes overlay ("Software\TandrelBoard") is where it finds it.
    // The control always adds a separator to that one, so it is kept without.
    struct SPlace
    {
        const char* key;
        const char* value;
        std::string folder;
    };
    std::vector<SPlace> places { { kInstallKey, kInstallValue, folder } };
    if (hive == HKEY_CURRENT_USER)
        places.push_back({ kClassesBoardKey, kClassesBoardValue, folder.substr(0, folder.size() - 1) });
    bool ok = true;
    int changed = 0;
    for (const SPlace& place : places) {
        if (!unregister) {
            ok = SetString(hive, place.key, place.value, place.folder) && ok;
            ++changed;
            continue;
        }
        std::string current;
        if (!ReadString(hive, place.key, place.value, current))
            continue;
        if (current != folder && current + '/' != folder) {
            std::printf("kept board directory %s (not %s)\n", current.c_str(), folder.c_str());
            continue;
        }
        ok = RemoveString(hive, place.key, place.value) && ok;
        ++changed;
    }
    if (ok && changed > 0)
        std::printf("%s board directory %s\n", unregister ? "removed" : "recorded", folder.c_str());
    return ok;
}

bool BuildTree(const std::string& dir, bool unregister, HKEY hive)
{
    const std::string root = Absolute(dir);
    if (root.empty()) {
        std::fprintf(stderr, "kestavo-register: %s: no such folder\n", dir.c_str());
        return false;
    }
    const std::string libDir = root + "/lib/kestavo/";
    bool ok = true;
    int found = 0;
    for (const char* name : { "libvaltrix.so", "libobrisk.so" }) {
        if (!Exists(libDir + name))
            continue;
        ++found;
        ok = CallEntry(libDir + name, unregister) && ok;
    }
    if (found == 0)
        std::fprintf(stderr, "kestavo-register: no component library in %s\n", libDir.c_str());
    if (unregister) {
        ok = RemoveString(hive, kInstallKey, kInstallValue) && ok;
        if (hive == HKEY_CURRENT_USER)
            ok = RemoveString(hive, kClassesBoardKey, kClassesBoardValue) && ok;
    } else {
        ok = SetString(hive, kInstallKey, kInstallValue, libDir) && ok;
        if (hive == HKEY_CURRENT_USER)
            ok = SetString(hive, kClassesBoardKey, kClassesBoardValue, libDir) && ok;
    }
    return ok && found > 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool unregister = false;
    bool user = false;
    std::string buildTree;
    std::string boardDir;
    std::vector<std::string> libraries;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--user") {
            user = true;
        } else if (arg == "--machine") {
            user = false;
        } else if (arg == "--unregister") {
            unregister = true;
        } else if (arg == "--build-tree") {
            if (i + 1 >= argc)
                return Usage();
            buildTree = argv[++i];
        } else if (arg == "--board-dir") {
            if (i + 1 >= argc)
                return Usage();
            boardDir = argv[++i];
        } else if (arg == "--help" || arg == "-h") {
            Usage();
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            libraries.push_back(arg);
        }
    }
    if (!buildTree.empty() && (!libraries.empty() || !boardDir.empty()))
        return Usage();
    if (buildTree.empty() && libraries.empty() && boardDir.empty())
        return Usage();
    ComSetRegistrationScope(user ? ComRegistrationScope::User : ComRegistrationScope::Machine);
    bool ok = true;
    if (!buildTree.empty()) {
        ok = BuildTree(buildTree, unregister, user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
    } else {
        // Record the folder after registering and remove it before unregistering,
        // so a control never finds a recogniser record without its classes.
        if (unregister && !boardDir.empty())
            ok = BoardDirectory(boardDir, true, user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE) && ok;
        for (const std::string& library : libraries)
            ok = CallEntry(library, unregister) && ok;
        if (!unregister && !boardDir.empty())
            ok = BoardDirectory(boardDir, false, user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE) && ok;
    }
    return ok ? 0 : 1;
}
