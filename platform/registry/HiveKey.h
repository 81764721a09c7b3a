#pragma once

#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One key of a hive: its name as first stored, its values and its subkeys.
// Values and subkeys keep the order in which they were first added (a
// replaced value keeps its place); that is the enumeration order. Names
// compare case-insensitively in ASCII, as Windows compares them for the
// ANSI code page's plain letters; other bytes compare exactly.
class CHiveKey
{
public:
    struct Value
    {
        std::string name; // empty = the key's default value
        DWORD type = 0;
        std::vector<BYTE> data;
    };

    explicit CHiveKey(std::string name = {});
    CHiveKey(const CHiveKey& other);
    CHiveKey& operator=(const CHiveKey& other);

    const std::string& name() const { return m_name; }

    // Values.
    const std::vector<Value>& values() const { return m_values; }
    const Value* findValue(std::string_view name) const;
    void setValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    bool removeValue(std::string_view name);

    // Subkeys.
    std::size_t subkeyCount() const { return m_subkeys.size(); }
    const CHiveKey& subkey(std::size_t index) const { return *m_subkeys[index]; }
    CHiveKey* findSubkey(std::string_view name);
    const CHiveKey* findSubkey(std::string_view name) const;
    CHiveKey& addSubkey(std::string_view name); // returns the existing one if present
    bool removeSubkey(std::string_view name);
    void clear(); // drops every value and subkey

    // Walks a path of components below this key; nullptr when a component is missing.
    CHiveKey* find(const std::vector<std::string>& path);
    const CHiveKey* find(const std::vector<std::string>& path) const;
    // Creates the missing components; sets created when the last one is new.
    CHiveKey& create(const std::vector<std::string>& path, bool* created = nullptr);

    static bool sameName(std::string_view a, std::string_view b);

private:
    std::string m_name;
    std::vector<Value> m_values;
    std::vector<std::unique_ptr<CHiveKey>> m_subkeys;
};
