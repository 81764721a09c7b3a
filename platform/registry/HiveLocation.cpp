#include "platform/registry/HiveLocation.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#ifndef KESTAVO_MACHINE_HIVE_DIR
#define KESTAVO_MACHINE_HIVE_DIR "/var/lib/kestavo"
#endif

namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string homeFolder()
{
    std::string home = env("HOME");
    if (home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    }
    return home.empty() ? std::string("/tmp") : home;
}

} // namespace

CHiveLocation CHiveLocation::user()
{
    CHiveLocation loc;
    const std::string override = env("KESTAVO_HIVE_DIR");
    if (!override.empty()) {
        loc.folder = override;
    } else {
        // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
        std::string config = env("XDG_CONFIG_HOME");
        if (config.empty() || config.front() != '/')
            config = homeFolder() + "/.config";
        loc.folder = config + "/kestavo";
    }
    loc.file = loc.folder + "/HKEY_CURRENT_USER.reg";
    loc.fileMode = 0600;
    loc.folderMode = 0700;
    return loc;
}

CHiveLocation CHiveLocation::machine()
{
    CHiveLocation loc;
    const std::string override = env("KESTAVO_HIVE_DIR");
    const std::string machineOverride = env("KESTAVO_MACHINE_HIVE_DIR");
    if (!override.empty()) {
        loc.folder = override;
        loc.folderMode = 0700;
    } else {
        loc.folder = machineOverride.empty() ? std::string(KESTAVO_MACHINE_HIVE_DIR) : machineOverride;
        loc.folderMode = 0755;
    }
    loc.file = loc.folder + "/HKEY_LOCAL_MACHINE.reg";
    loc.fileMode = 0644;
    return loc;
}
