#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/HiveLocation.h"

#include <ctime>
#include <functional>
#include <string>
#include <sys/types.h>

// One hive file and the tree last read from it.
//
// Reading needs no lock: writers replace the file by rename, so a reader sees
// the old or the new file whole. The tree is read again whenever the file's
// identity (device, inode, size, change time) differs from the one last read.
//
// Every change runs under the lock file: read the current file, apply the
// change, write a temporary file, fsync it, rename it over the hive, fsync the
// folder. A change another process saved meanwhile is therefore kept, and a
// process killed while saving leaves either the old or the new file.
//
// A file that does not parse is renamed aside (<file>.damaged-<time>) with one
// line on stderr, and the hive starts empty.
class CHiveFile
{
public:
    CHiveFile(CHiveLocation location, std::string rootName);

    const std::string& path() const { return m_location.file; }
    const std::string& rootName() const { return m_rootName; }

    // The current tree; valid until the next call on this object.
    const CHiveKey& root();

    // change(root, changed) edits the tree and says whether it changed it; its
    // result is returned. Nothing is written unless it returns ERROR_SUCCESS
    // and sets changed.
    using Change = std::function<LONG(CHiveKey& root, bool& changed)>;
    LONG modify(const Change& change);

private:
    struct Identity
    {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec changed {};
        bool operator==(const Identity& o) const;
    };

    void refresh(bool haveLock);
    LONG save();
    bool ensureFolder() const;
    void setAside(const std::string& reason);

    CHiveLocation m_location;
    std::string m_rootName;
    CHiveKey m_root;
    Identity m_identity;
    bool m_loaded = false;
    Identity m_reportedDamage; // a damaged file we could not move, reported once
};
