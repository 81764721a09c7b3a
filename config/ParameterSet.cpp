#include "config/ParameterSet.h"

#include "config/OperatorSettings.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Room for a value name when enumerating a key.
constexpr DWORD kNameBufferSize = 1024;

std::string MarkerOf(const std::string& key)
{
    return key + CParameterSet::kLockSuffix;
}

} // namespace

CParameterSet::CParameterSet()
    : m_entries(17)
{
}

CParameterSet& CParameterSet::operator=(const CParameterSet& other)
{
    if (this != &other) {
        m_entries.clear();
        m_entries = other.m_entries;
    }
    return *this;
}

int CParameterSet::GetString(const std::string& key, std::string& text) const
{
    const auto it = m_entries.find(key);
    if (it == m_entries.end())
        return kMissing;
    text = it->second;
    return kFound;
}

int CParameterSet::GetBool(const std::string& key, bool& flag) const
{
    std::string text;
    const int code = GetString(key, text);
    flag = code == kFound && text == "True";
    return code;
}

int CParameterSet::GetInt(const std::string& key, int& number) const
{
    std::string text;
    const int code = GetString(key, text);
    if (code == kFound)
        number = std::atoi(text.c_str());
    return code;
}

int CParameterSet::HasKey(const std::string& key) const
{
    return m_entries.count(key) ? kFound : kMissing;
}

int CParameterSet::CompareValue(const std::string& key, const std::string& text) const
{
    const auto it = m_entries.find(key);
    if (it == m_entries.end())
        return kMissing;
    return it->second == text ? kFound : kDifferent;
}

bool CParameterSet::IsLocked(const std::string& key) const
{
    return m_entries.count(MarkerOf(key)) != 0;
}

bool CParameterSet::IsEditable(const std::string& key) const
{
    return HasKey(key) == kFound && !IsLocked(key);
}

int CParameterSet::SetString(const std::string& key, const std::string& text)
{
    if (IsLocked(key))
        return kLocked;
    m_entries[key] = text;
    return kFound;
}

int CParameterSet::SetBool(const std::string& key, bool flag)
{
    return SetString(key, flag ? "True" : "False");
}

int CParameterSet::SetInt(const std::string& key, int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    return SetString(key, text);
}

void CParameterSet::Lock(const std::string& key)
{
    m_entries[MarkerOf(key)] = std::string();
}

void CParameterSet::Unlock(const std::string& key)
{
    m_entries.erase(MarkerOf(key));
}

int CParameterSet::RemoveKey(const std::string& key)
{
    if (IsLocked(key))
        return kLocked;
    m_entries.erase(key);
    return kFound;
}

void CParameterSet::RemoveAll()
{
    m_entries.clear();
}

LONG CParameterSet::SaveToRegistry(HKEY root, const char* subkey) const
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
        KEY_WRITE | KEY_QUERY_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;

    // Remove the stored strings first, so that entries no longer in the set
    // (unlocked keys' markers above all) do not survive the save. Values of
    // other types belong to someone else and stay.
    DWORD index = 0;
    for (;;) {
        char name[kNameBufferSize];
        DWORD nameSize = kNameBufferSize;
        DWORD type = REG_NONE;
        result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS) {
            RegCloseKey(key);
            return result;
        }
        if (type != REG_SZ) {
            ++index;
            continue;
        }
        result = RegDeleteValueA(key, name);
        if (result != ERROR_SUCCESS) {
            RegCloseKey(key);
            return result;
        }
        // The next value has moved down to this index.
    }

    result = ERROR_SUCCESS;
    for (const auto& entry : m_entries) {
        result = RegSetValueExA(key, entry.first.c_str(), 0, REG_SZ,
            reinterpret_cast<const BYTE*>(entry.second.c_str()), static_cast<DWORD>(entry.second.size() + 1));
        if (result != ERROR_SUCCESS)
            break;
    }
    // The store writes the hive when the key is closed: a failure there (a full
    // disk) means the settings were not saved.
    const LONG closed = RegCloseKey(key);
    return result != ERROR_SUCCESS ? result : closed;
}

int CParameterSet::ReadLevelValue(HKEY root, const char* subkey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    // One character and its terminator: a longer text fails to fit and reads as 0.
    char text[3] = {};
    DWORD size = 2;
    DWORD type = REG_NONE;
    int level = 0;
    if (RegQueryValueExA(key, ParamKey::Level, nullptr, &type, reinterpret_cast<BYTE*>(text), &size)
            == ERROR_SUCCESS
        && text[0] != '\0')
        std::sscanf(text, "%d", &level);
    RegCloseKey(key);
    return level;
}

LONG CParameterSet::LoadFromRegistry(HKEY root, const char* subkey)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, subkey, 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS)
        return result;

    // A hand-edited level of 5..9 would leave the set without bounds.
    const int level = ClampLevel(ReadLevelValue(root, subkey));
    std::string op;
    GetString(ParamKey::Operator, op);
    ApplyDefaults(*this, op, level);

    // Stored strings go through SetString: keys the level locked keep their
    // default, and a stored marker locks its key from then on.
    for (DWORD index = 0;; ++index) {
        char name[kNameBufferSize];
        DWORD nameSize = kNameBufferSize;
        DWORD type = REG_NONE;
        DWORD dataSize = 0;
        result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &dataSize);
        if (result == ERROR_MORE_DATA)
            result = ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            break;
        if (type != REG_SZ)
            continue;
        std::vector<char> data(static_cast<size_t>(dataSize) + 1, '\0');
        DWORD readSize = dataSize;
        result
            = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &readSize);
        if (result != ERROR_SUCCESS)
            break;
        SetString(name, std::string(data.data()));
    }
    RegCloseKey(key);
    return result == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : result;
}

LONG RegReadDword(HKEY root, const char* subkey, const char* valueName, DWORD& number)
{
    number = 0;
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(root, subkey, 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS)
        return result;
    DWORD type = REG_NONE;
    DWORD size = 0;
    result = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        result = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        if (result == ERROR_SUCCESS)
            number = value;
    }
    RegCloseKey(key);
    return result;
}

LONG RegWriteDword(HKEY root, const char* subkey, const char* valueName, DWORD number)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(
        root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return result;
    result
        = RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    const LONG closed = RegCloseKey(key);
    return result != ERROR_SUCCESS ? result : closed;
}
