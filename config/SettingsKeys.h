#pragma once

#include <string>
#include <string_view>
#include <vector>

// The keys that make up Kestavo's settings in a hive: the game's key and the
// board software's settings key. Only these are exported, imported and
// taken from the machine's defaults.
class CSettingsKeys
{
public:
    // The keys' paths below a root, as key names.
    static const std::vector<std::vector<std::string>>& All();

    // Index into All() of the key that path is (or is below); -1 for none.
    static int Containing(const std::vector<std::string>& path);

    // True when path is a proper ancestor of one of the keys ("Software").
    static bool IsAncestor(const std::vector<std::string>& path);

    // "Software\Tandrel Technologies Inc.\Kestavo" and the like.
    static std::string Join(const std::vector<std::string>& path);
};
