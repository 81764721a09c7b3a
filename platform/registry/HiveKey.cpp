#include "platform/registry/HiveKey.h"

#include <algorithm>

namespace {

char foldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

CHiveKey::CHiveKey(std::string name)
    : m_name(std::move(name))
{
}

CHiveKey::CHiveKey(const CHiveKey& other)
    : m_name(other.m_name)
    , m_values(other.m_values)
{
    m_subkeys.reserve(other.m_subkeys.size());
    for (const auto& sub : other.m_subkeys)
        m_subkeys.push_back(std::make_unique<CHiveKey>(*sub));
}

CHiveKey& CHiveKey::operator=(const CHiveKey& other)
{
    if (this != &other) {
        CHiveKey copy(other);
        m_name = std::move(copy.m_name);
        m_values = std::move(copy.m_values);
        m_subkeys = std::move(copy.m_subkeys);
    }
    return *this;
}

bool CHiveKey::sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    }
    return true;
}

const CHiveKey::Value* CHiveKey::findValue(std::string_view name) const
{
    for (const Value& v : m_values) {
        if (sameName(v.name, name))
            return &v;
    }
    return nullptr;
}

void CHiveKey::setValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    for (Value& v : m_values) {
        if (sameName(v.name, name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    m_values.push_back(Value { std::string(name), type, std::move(data) });
}

bool CHiveKey::removeValue(std::string_view name)
{
    auto it = std::find_if(
        m_values.begin(), m_values.end(), [&](const Value& v) { return sameName(v.name, name); });
    if (it == m_values.end())
        return false;
    m_values.erase(it);
    return true;
}

CHiveKey* CHiveKey::findSubkey(std::string_view name)
{
    for (auto& sub : m_subkeys) {
        if (sameName(sub->m_name, name))
            return sub.get();
    }
    return nullptr;
}

const CHiveKey* CHiveKey::findSubkey(std::string_view name) const
{
    return const_cast<CHiveKey*>(this)->findSubkey(name);
}

CHiveKey& CHiveKey::addSubkey(std::string_view name)
{
    if (CHiveKey* existing = findSubkey(name))
        return *existing;
    m_subkeys.push_back(std::make_unique<CHiveKey>(std::string(name)));
    return *m_subkeys.back();
}

bool CHiveKey::removeSubkey(std::string_view name)
{
    auto it = std::find_if(m_subkeys.begin(), m_subkeys.end(),
        [&](const std::unique_ptr<CHiveKey>& k) { return sameName(k->m_name, name); });
    if (it == m_subkeys.end())
        return false;
    m_subkeys.erase(it);
    return true;
}

void CHiveKey::clear()
{
    m_values.clear();
    m_subkeys.clear();
}

CHiveKey* CHiveKey::find(const std::vector<std::string>& path)
{
    CHiveKey* key = this;
    for (const std::string& part : path) {
        key = key->findSubkey(part);
        if (!key)
            return nullptr;
    }
    return key;
}

const CHiveKey* CHiveKey::find(const std::vector<std::string>& path) const
{
    return const_cast<CHiveKey*>(this)->find(path);
}

CHiveKey& CHiveKey::create(const std::vector<std::string>& path, bool* created)
{
    CHiveKey* key = this;
    bool isNew = false;
    for (const std::string& part : path) {
        CHiveKey* next = key->findSubkey(part);
        isNew = (next == nullptr);
        key = isNew ? &key->addSubkey(part) : next;
    }
    if (created)
        *created = isNew;
    return *key;
}
