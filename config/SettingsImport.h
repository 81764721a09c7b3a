#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/Registry.h"

#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One .reg file to be merged into a hive: what it would set, delete and skip.
//
// Files from either variant and either root (HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE, as exported on another system) are taken; only keys
// under the game's key and the board settings key count, everything else is
// listed in Skipped(). Empty sections of the keys' parents ("Software",
// as regedit exports them) are passed over without a word.
class CSettingsImport
{
public:
    // Reads the file. Fails with a message (and nothing to apply) when it is
    // not a registry file, is damaged or too large, or holds no Kestavo key.
    bool Load(std::string_view bytes, std::string& error);
    // Load from a file; a file above the store's size bound is not read.
    bool LoadFile(const QString& path, std::string& error);

    // The keys of other software that are left out, as written in the file.
    const std::vector<std::string>& Skipped() const { return m_skipped; }

    // What the file sets, for a confirmation: "Addition: level 2",
    // "Number of questions: 20", "Board settings", in file order.
    std::vector<std::string> Summary() const;

    // The changes applying would make to root, one line each; empty when
    // nothing would change. rootName prefixes the key paths.
    std::vector<std::string> Changes(const CHiveKey& root, std::string_view rootName) const;

    // Applies every operation to root; changed says whether anything changed.
    LONG ApplyTo(CHiveKey& root, bool& changed) const;

    // Applies the file to a hive (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE) and
    // saves it, all or nothing.
    LONG Commit(HKEY rootKey) const;

private:
    struct Operation
    {
        enum Kind
        {
            CreateKey,
            RemoveKey,
            SetValue,
            RemoveValue
        };
        Kind kind = CreateKey;
        std::vector<std::string> path;
        std::string name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    // Applies one operation; says whether it changed root.
    static bool Apply(const Operation& op, CHiveKey& root);
    static std::string Describe(const Operation& op, std::string_view rootName);

    std::shared_ptr<const std::vector<Operation>> m_operations;
    std::vector<std::string> m_skipped;
};
