#include "config/SettingsExport.h"

#include "config/SettingsKeys.h"
#include "platform/registry/RegFileFormat.h"
#include "platform/registry/RegistryStore.h"

std::string CSettingsExport::Write(const CHiveKey& user, const CHiveKey& machine, bool& found)
{
    std::vector<CRegFileFormat::Subtree> keys;
    for (const std::vector<std::string>& path : CSettingsKeys::All()) {
        const CHiveKey* key = user.find(path);
        if (!key)
            key = machine.find(path);
        if (key)
            keys.emplace_back("HKEY_CURRENT_USER\\" + CSettingsKeys::Join(path), key);
    }
    found = !keys.empty();
    return CRegFileFormat::writeKeys(keys, RegEncoding::Version5Utf16);
}

LONG CSettingsExport::Export(std::string& bytes, bool& found)
{
    CHiveKey user;
    CHiveKey machine;
    if (const LONG rc = CRegistryStore::instance().copyHive(HKEY_CURRENT_USER, user); rc != ERROR_SUCCESS)
        return rc;
    if (const LONG rc = CRegistryStore::instance().copyHive(HKEY_LOCAL_MACHINE, machine); rc != ERROR_SUCCESS)
        return rc;
    bytes = Write(user, machine, found);
    return ERROR_SUCCESS;
}
