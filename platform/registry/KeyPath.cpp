#include "platform/registry/KeyPath.h"

bool CKeyPath::isValidKeyName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxKeyNameLength)
        return false;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '\\')
            return false;
    }
    return true;
}

LONG CKeyPath::split(const char* path, std::vector<std::string>& parts)
{
    parts.clear();
    if (!path || !*path)
        return ERROR_SUCCESS;
    std::string_view rest(path);
    if (rest.back() == '\\')
        rest.remove_suffix(1);
    while (true) {
        const std::size_t sep = rest.find('\\');
        const std::string_view name = rest.substr(0, sep);
        if (!isValidKeyName(name) || parts.size() >= kMaxDepth) {
            parts.clear();
            return ERROR_INVALID_PARAMETER;
        }
        parts.emplace_back(name);
        if (sep == std::string_view::npos)
            break;
        rest.remove_prefix(sep + 1);
    }
    return ERROR_SUCCESS;
}

std::string CKeyPath::join(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty())
            out += '\\';
        out += p;
    }
    return out;
}
