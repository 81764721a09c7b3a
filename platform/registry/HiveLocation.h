#pragma once

#include <string>
#include <sys/types.h>

// Where a hive file lives and with which permissions it is created.
//
// HKEY_CURRENT_USER: $XDG_CONFIG_HOME/kestavo/HKEY_CURRENT_USER.reg (the
// folder defaults to ~/.config), private to the user (0600, folders 0700).
// HKEY_LOCAL_MACHINE: <machine folder>/HKEY_LOCAL_MACHINE.reg; the folder is
// fixed at build time (KESTAVO_MACHINE_HIVE_DIR, default /var/lib/kestavo)
// and can be moved by the environment variable of the same name. The machine
// hive is written by the installer and read by every user, so it is created
// world-readable (0644, folder 0755).
// KESTAVO_HIVE_DIR, when set, puts both files side by side in that folder.
// The environment is read at every call.
struct CHiveLocation
{
    std::string folder;
    std::string file;
    mode_t fileMode = 0600;
    mode_t folderMode = 0700;

    // The files a save uses beside the hive: the lock taken for the whole
    // save and the temporary file renamed over the hive.
    std::string lockFile() const { return file + ".lock"; }
    std::string tempFile() const { return file + ".tmp"; }

    static CHiveLocation user();
    static CHiveLocation machine();
};
