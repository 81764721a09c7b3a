#pragma once

#include "platform/registry/Registry.h"

#include <string>
#include <unordered_map>

// One operator's settings: text keys mapped to text values. Booleans are
// "True"/"False", integers decimal text. A key K is locked while the set holds
// the marker K + "_LOCKED"; locked keys refuse the lock-respecting writes.
//
// Result codes of the accessors: see the constants below.
class CParameterSet
{
public:
    static constexpr int kFound = 0; // done or found
    static constexpr int kDifferent = 1; // found but different (CompareValue only)
    static constexpr int kMissing = 2; // key missing
    static constexpr int kLocked = 3; // refused because the key is locked

    static constexpr const char* kLockSuffix = "_LOCKED";

    using Entries = std::unordered_map<std::string, std::string>;

    CParameterSet();
    CParameterSet(const CParameterSet& other) = default;
    CParameterSet& operator=(const CParameterSet& other);
    ~CParameterSet() = default;

    // Reading.
    int GetString(const std::string& key, std::string& text) const;
    // Always writes flag: true only when the key holds exactly "True".
    int GetBool(const std::string& key, bool& flag) const;
    // Leaves number untouched when the key is missing.
    int GetInt(const std::string& key, int& number) const;
    int HasKey(const std::string& key) const;
    int CompareValue(const std::string& key, const std::string& text) const;
    bool IsLocked(const std::string& key) const;
    bool IsEditable(const std::string& key) const;

    // Writing (all but Lock, Unlock and RemoveAll respect locks).
    int SetString(const std::string& key, const std::string& text);
    int SetBool(const std::string& key, bool flag);
    int SetInt(const std::string& key, int number);
    void Lock(const std::string& key);
    void Unlock(const std::string& key);
    int RemoveKey(const std::string& key);
    void RemoveAll();

    // Every entry, lock markers included; iteration order is unspecified.
    const Entries& GetEntries() const { return m_entries; }
    int GetCount() const { return static_cast<int>(m_entries.size()); }

    // Persistence; each returns a Win32 error code (0 on success).
    LONG LoadFromRegistry(HKEY root, const char* subkey);
    LONG SaveToRegistry(HKEY root, const char* subkey) const;
    // The stored one-character "Level" text of a key as a number; 0 when it
    // cannot be read.
    static int ReadLevelValue(HKEY root, const char* subkey);

private:
    Entries m_entries;
};

// Single numeric values of the main key. RegReadDword sets number to 0 first and
// reads it only when the value is a 4-byte REG_DWORD.
LONG RegReadDword(HKEY root, const char* subkey, const char* valueName, DWORD& number);
LONG RegWriteDword(HKEY root, const char* subkey, const char* valueName, DWORD number);
