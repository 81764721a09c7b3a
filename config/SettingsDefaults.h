#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/Registry.h"

// School-wide defaults: a user who has no Kestavo settings yet starts from
// the game's keys in the machine hive (put there by an administrator's
// "kestavo --import-settings FILE --machine"). Each key is copied once, when
// the user has none; from then on the user's own choices are kept.
class CSettingsDefaults
{
public:
    // Copies into user each Kestavo key it lacks and machine has; says
    // whether it copied any.
    static bool SeedInto(CHiveKey& user, const CHiveKey& machine);

    // The same on the store's hives, saved at once.
    static LONG SeedUser();
};
