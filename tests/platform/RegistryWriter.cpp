// A second process for the store's tests: writes values into its own key of
// the user hive, opening, setting and closing (one save) per value, as fast
// as it can.
//   registry_writer <hive folder> <key name> <count> [open]
// With "open" it writes through one key that it never closes and leaves
// saving to the store's flush at exit.
#include "platform/registry/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: registry_writer <hive folder> <key> <count> [open]\n");
        return 2;
    }
    ::setenv("KESTAVO_HIVE_DIR", argv[1], 1);
    const std::string path = std::string("Software\\Race\\") + argv[2];
    const int count = std::atoi(argv[3]);
    if (argc == 5) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(
                HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
            != 0)
            return 1;
        for (int i = 0; i < count; ++i) {
            const std::string name = "v" + std::to_string(i);
            if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("kept"), 5) != 0)
                return 1;
        }
        return 0; // no RegCloseKey
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(
            HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != 0)
        return 1;
    for (int i = 0; i < count; ++i) {
        const std::string name = "v" + std::to_string(i);
        const DWORD v = static_cast<DWORD>(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) != 0)
            return 1;
    }
    RegCloseKey(key);
    return 0;
}
