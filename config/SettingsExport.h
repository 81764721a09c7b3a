#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/Registry.h"

#include <string>

// Writes the user's Kestavo settings as a "Windows Registry Editor Version
// 5.00" file (UTF-16LE, CR LF) that regedit on Windows imports.
class CSettingsExport
{
public:
    // The game's key and the board settings key as the user has them, each
    // from the machine's defaults where the user has none yet, written under
    // HKEY_CURRENT_USER. found says whether there was any key to write.
    static std::string Write(const CHiveKey& user, const CHiveKey& machine, bool& found);

    // The same from the store's hives.
    static LONG Export(std::string& bytes, bool& found);
};
