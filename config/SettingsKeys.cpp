#include "config/SettingsKeys.h"

#include "config/OperatorSettings.h"
#include "platform/registry/HiveKey.h"
#include "platform/registry/KeyPath.h"

namespace {

// The board software's own key (it lives in boardsoft, which config must not use).
constexpr const char* kBoardSettingsKey
    = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Board Settings";

bool StartsWith(const std::vector<std::string>& path, const std::vector<std::string>& prefix)
{
    if (path.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (!CHiveKey::sameName(path[i], prefix[i]))
            return false;
    }
    return true;
}

std::vector<std::string> Split(const char* path)
{
    std::vector<std::string> parts;
    CKeyPath::split(path, parts);
    return parts;
}

} // namespace

const std::vector<std::vector<std::string>>& CSettingsKeys::All()
{
    static const std::vector<std::vector<std::string>> keys { Split(kKestavoRegistryKey),
        Split(kBoardSettingsKey) };
    return keys;
}

int CSettingsKeys::Containing(const std::vector<std::string>& path)
{
    for (std::size_t i = 0; i < All().size(); ++i) {
        if (StartsWith(path, All()[i]))
            return static_cast<int>(i);
    }
    return -1;
}

bool CSettingsKeys::IsAncestor(const std::vector<std::string>& path)
{
    for (const std::vector<std::string>& key : All()) {
        if (path.size() < key.size() && StartsWith(key, path))
            return true;
    }
    return false;
}

std::string CSettingsKeys::Join(const std::vector<std::string>& path)
{
    return CKeyPath::join(path);
}
