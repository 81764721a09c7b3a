#include "config/SettingsDefaults.h"

#include "config/SettingsKeys.h"
#include "platform/registry/RegistryStore.h"

#include <memory>

bool CSettingsDefaults::SeedInto(CHiveKey& user, const CHiveKey& machine)
{
    bool copied = false;
    for (const std::vector<std::string>& path : CSettingsKeys::All()) {
        const CHiveKey* from = machine.find(path);
        if (!from || user.find(path))
            continue;
        std::vector<std::string> parentPath(path.begin(), path.end() - 1);
        CHiveKey& parent = user.create(parentPath);
        // addSubkey then assignment keeps the user's spelling of the parents
        // and takes the machine key's own name, values and subkeys.
        parent.addSubkey(from->name()) = *from;
        copied = true;
    }
    return copied;
}

LONG CSettingsDefaults::SeedUser()
{
    CRegistryStore& store = CRegistryStore::instance();
    auto machine = std::make_shared<CHiveKey>();
    if (const LONG rc = store.copyHive(HKEY_LOCAL_MACHINE, *machine); rc != ERROR_SUCCESS)
        return rc;
    bool any = false;
    for (const std::vector<std::string>& path : CSettingsKeys::All())
        any = any || machine->find(path);
    if (!any)
        return ERROR_SUCCESS; // nothing to offer: leave the user's hive alone
    CHiveKey user;
    if (const LONG rc = store.copyHive(HKEY_CURRENT_USER, user); rc != ERROR_SUCCESS)
        return rc;
    if (!SeedInto(user, *machine))
        return ERROR_SUCCESS;
    return store.commitToHive(HKEY_CURRENT_USER, [machine](CHiveKey& root, bool& changed) -> LONG {
        changed = SeedInto(root, *machine);
        return ERROR_SUCCESS;
    });
}
