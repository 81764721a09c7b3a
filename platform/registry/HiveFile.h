#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/HiveLocation.h"
#include "platform/registry/RegDocument.h"

#include <ctime>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// One hive file and the tree last read from it, with the changes of this
// process that are not saved yet.
//
// Reading needs no lock: writers replace the file by rename, so a reader sees
// the old or the new file whole. The file is read again whenever its identity
// (device, inode, size, modification time) differs from the one last read;
// the unsaved changes are then applied again on top of what was read.
//
// Changes are kept in order and saved together by flush() (the store flushes
// when a key is closed): under the lock file it reads the current file,
// applies the changes again, writes a temporary file, fsyncs it, renames it
// over the hive and fsyncs the folder. A change another process saved
// meanwhile is therefore kept, and a process killed while saving leaves
// either the old or the new file.
//
// A file that does not parse is renamed aside (<file>.damaged-<time>) with one
// line on stderr, and the hive starts empty. A file in either .reg variant is
// written back in the variant it was read in (a new file: REGEDIT4).
class CHiveFile
{
public:
    CHiveFile(CHiveLocation location, std::string rootName);

    const std::string& path() const { return m_location.file; }
    const std::string& rootName() const { return m_rootName; }

    // The current tree; valid until the next call on this object.
    const CHiveKey& root();

    // change(root, changed) edits the tree and says whether it changed it; its
    // result is returned. A change that succeeded and changed something is kept
    // for the next flush() and applied again whenever the file is read anew,
    // so it must own everything it refers to. Fails with ERROR_ACCESS_DENIED
    // at once when the hive's folder cannot be written.
    using Change = std::function<LONG(CHiveKey& root, bool& changed)>;
    LONG modify(Change change);

    bool hasPendingChanges() const { return !m_pending.empty(); }
    // Saves the pending changes; on failure they stay pending for the next try.
    LONG flush();

    // Saves what is pending, then applies change and saves it at once. On any
    // failure nothing of change stays, neither in the file nor pending, so a
    // batch of edits made by one change is kept whole or not at all.
    LONG commit(Change change);

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
    void replayPendingOn(CHiveKey& tree);
    LONG save();
    LONG checkWritable() const;
    bool ensureFolder() const;
    void setAside(const std::string& reason);

    CHiveLocation m_location;
    std::string m_rootName;
    CHiveKey m_root;
    RegEncoding m_encoding = RegEncoding::Regedit4;
    Identity m_identity;
    bool m_loaded = false;
    Identity m_reportedDamage; // a damaged file we could not move, reported once
    std::vector<Change> m_pending;
};
