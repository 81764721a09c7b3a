#include "platform/registry/RegFileFormat.h"

#include "platform/registry/KeyPath.h"
#include "platform/registry/Registry.h"

#include <cstdio>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr DWORD kRegBinary = 3;
// A logical line (a value with all its continuation lines) is bounded so a
// file of one endless line is refused rather than held twice in memory.
constexpr std::size_t kMaxLogicalLine = 4 * CKeyPath::kMaxValueDataSize + 64;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

// Splits the text into physical lines, one at a time.
class LineReader
{
public:
    explicit LineReader(std::string_view text)
        : m_text(text)
    {
    }
    bool next(std::string_view& line)
    {
        if (m_pos >= m_text.size())
            return false;
        const std::size_t end = m_text.find('\n', m_pos);
        const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
        line = m_text.substr(m_pos, stop - m_pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = stop + 1;
        ++m_lineNumber;
        return true;
    }
    int lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

// Reads a quoted string starting at s[0] == '"'; on success s is left after
// the closing quote.
bool readQuoted(std::string_view& s, std::string& out, std::string& error)
{
    out.clear();
    if (s.empty() || s.front() != '"') {
        error = "expected a quoted string";
        return false;
    }
    std::size_t i = 1;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= s.size()) {
                error = "backslash at the end of a string";
                return false;
            }
            const char e = s[i + 1];
            if (e == '\\' || e == '"') {
                out += e;
                i += 2;
            } else if (e == 'x' && i + 3 < s.size() && hexDigit(s[i + 2]) >= 0 && hexDigit(s[i + 3]) >= 0) {
                out += static_cast<char>(hexDigit(s[i + 2]) * 16 + hexDigit(s[i + 3]));
                i += 4;
            } else {
                error = "unknown escape in a string";
                return false;
            }
        } else {
            out += c;
            ++i;
        }
        if (out.size() > CKeyPath::kMaxValueDataSize) {
            error = "string too long";
            return false;
        }
    }
    error = "string without closing quote";
    return false;
}

bool parseHexBytes(std::string_view s, std::vector<BYTE>& out, std::string& error)
{
    out.clear();
    s = trimLeft(trimRight(s));
    if (s.empty())
        return true;
    while (true) {
        s = trimLeft(s);
        if (s.size() < 2 || hexDigit(s[0]) < 0 || hexDigit(s[1]) < 0) {
            error = "bad hex byte";
            return false;
        }
        out.push_back(static_cast<BYTE>(hexDigit(s[0]) * 16 + hexDigit(s[1])));
        if (out.size() > CKeyPath::kMaxValueDataSize) {
            error = "value data too long";
            return false;
        }
        s = trimLeft(s.substr(2));
        if (s.empty())
            return true;
        if (s.front() != ',') {
            error = "bad hex list";
            return false;
        }
        s.remove_prefix(1);
    }
}

bool parseValueData(std::string_view s, DWORD& type, std::vector<BYTE>& data, std::string& error)
{
    data.clear();
    if (!s.empty() && s.front() == '"') {
        std::string text;
        if (!readQuoted(s, text, error))
            return false;
        if (!trimRight(s).empty()) {
            error = "text after a string value";
            return false;
        }
        type = REG_SZ;
        data.assign(text.begin(), text.end());
        data.push_back(0);
        return true;
    }
    if (s.substr(0, 6) == "dword:") {
        s = trimRight(s.substr(6));
        if (s.empty() || s.size() > 8) {
            error = "bad dword";
            return false;
        }
        DWORD v = 0;
        for (char c : s) {
            const int d = hexDigit(c);
            if (d < 0) {
                error = "bad dword";
                return false;
            }
            v = v * 16 + static_cast<DWORD>(d);
        }
        type = REG_DWORD;
        data = { static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
            static_cast<BYTE>(v >> 24) };
        return true;
    }
    if (s.substr(0, 4) == "hex:") {
        type = kRegBinary;
        return parseHexBytes(s.substr(4), data, error);
    }
    if (s.substr(0, 4) == "hex(") {
        s.remove_prefix(4);
        const std::size_t close = s.find("):");
        if (close == std::string_view::npos || close == 0 || close > 8) {
            error = "bad hex type";
            return false;
        }
        DWORD t = 0;
        for (char c : s.substr(0, close)) {
            const int d = hexDigit(c);
            if (d < 0) {
                error = "bad hex type";
                return false;
            }
            t = t * 16 + static_cast<DWORD>(d);
        }
        type = t;
        return parseHexBytes(s.substr(close + 2), data, error);
    }
    error = "unknown value format";
    return false;
}

void appendHex(std::string& out, std::size_t prefixLength, const std::vector<BYTE>& data)
{
    static const char digits[] = "0123456789abcdef";
    std::size_t column = prefixLength;
    for (std::size_t i = 0; i < data.size(); ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
        column += 2;
        if (i + 1 < data.size()) {
            out += ',';
            ++column;
            if (column > 76) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

bool isPlainString(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0)
            return false;
    }
    return true;
}

void writeKey(std::string& out, const CHiveKey& key, const std::string& path, bool isRoot)
{
    if (!isRoot || !key.values().empty()) {
        out += '[';
        out += path;
        out += "]\n";
    }
    for (const CHiveKey::Value& v : key.values()) {
        const std::size_t lineStart = out.size();
        if (v.name.empty())
            out += '@';
        else
            out += CRegFileFormat::quote(v.name);
        out += '=';
        if (v.type == REG_SZ && isPlainString(v.data)) {
            out += CRegFileFormat::quote(
                std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
        } else if (v.type == REG_DWORD && v.data.size() == 4) {
            char buf[16];
            const DWORD d = static_cast<DWORD>(v.data[0]) | (static_cast<DWORD>(v.data[1]) << 8)
                | (static_cast<DWORD>(v.data[2]) << 16) | (static_cast<DWORD>(v.data[3]) << 24);
            std::snprintf(buf, sizeof buf, "dword:%08x", d);
            out += buf;
        } else {
            if (v.type == kRegBinary) {
                out += "hex:";
            } else {
                char buf[24];
                std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
                out += buf;
            }
            appendHex(out, out.size() - lineStart, v.data);
        }
        out += '\n';
    }
    if (!isRoot || !key.values().empty())
        out += '\n';
    for (std::size_t i = 0; i < key.subkeyCount(); ++i) {
        const CHiveKey& sub = key.subkey(i);
        writeKey(out, sub, path + '\\' + sub.name(), false);
    }
}

} // namespace

std::string CRegFileFormat::quote(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() + 2);
    out += '"';
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            out += "\\x";
            out += digits[b >> 4];
            out += digits[b & 15];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string CRegFileFormat::write(const CHiveKey& root, std::string_view rootName)
{
    std::string out(kHeader);
    out += "\n\n";
    writeKey(out, root, std::string(rootName), true);
    return out;
}

bool CRegFileFormat::parse(
    std::string_view text, std::string_view rootName, CHiveKey& root, std::string& error)
{
    root.clear();
    if (text.size() > CKeyPath::kMaxHiveFileSize) {
        error = "file too large";
        return false;
    }
    LineReader reader(text);
    std::string_view line;
    bool sawHeader = false;
    CHiveKey* current = nullptr;
    std::vector<std::string> path;
    std::string logical;
    std::string name;
    std::vector<BYTE> data;

    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(reader.lineNumber()) + ": " + what;
        root.clear();
        return false;
    };

    while (reader.next(line)) {
        const std::string_view trimmed = trimRight(trimLeft(line));
        if (!sawHeader) {
            if (trimmed.empty())
                continue;
            if (trimmed != kHeader)
                return fail("missing REGEDIT4 header");
            sawHeader = true;
            continue;
        }
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            if (trimmed.back() != ']')
                return fail("key header without closing bracket");
            std::string_view full = trimmed.substr(1, trimmed.size() - 2);
            if (full.substr(0, rootName.size()) != rootName)
                return fail("key outside " + std::string(rootName));
            full.remove_prefix(rootName.size());
            path.clear();
            if (!full.empty()) {
                if (full.front() != '\\')
                    return fail("key outside " + std::string(rootName));
                full.remove_prefix(1);
                while (true) {
                    const std::size_t sep = full.find('\\');
                    const std::string_view part = full.substr(0, sep);
                    if (!CKeyPath::isValidKeyName(part) || path.size() >= CKeyPath::kMaxDepth)
                        return fail("bad key name");
                    path.emplace_back(part);
                    if (sep == std::string_view::npos)
                        break;
                    full.remove_prefix(sep + 1);
                }
            }
            current = &root.create(path);
            continue;
        }
        if (!current)
            return fail("value before any key");

        std::string_view rest = trimmed;
        if (rest.front() == '@') {
            name.clear();
            rest.remove_prefix(1);
        } else if (rest.front() == '"') {
            if (!readQuoted(rest, name, error))
                return fail(error);
            if (name.size() > CKeyPath::kMaxValueNameLength)
                return fail("value name too long");
        } else {
            return fail("unrecognised line");
        }
        rest = trimLeft(rest);
        if (rest.empty() || rest.front() != '=')
            return fail("expected '=' after the value name");
        rest = trimLeft(rest.substr(1));

        // A hex list may go on over lines that end with a backslash.
        if (rest.substr(0, 3) == "hex" && rest.back() == '\\') {
            logical.assign(rest.data(), rest.size());
            while (!logical.empty() && logical.back() == '\\') {
                logical.pop_back();
                std::string_view more;
                if (!reader.next(more))
                    return fail("file ends inside a continued line");
                more = trimRight(trimLeft(more));
                logical.append(more.data(), more.size());
                if (logical.size() > kMaxLogicalLine)
                    return fail("line too long");
            }
            rest = logical;
        }
        DWORD type = 0;
        if (!parseValueData(rest, type, data, error))
            return fail(error);
        current->setValue(name, type, std::move(data));
        data = {};
    }
    if (!sawHeader && !trimRight(trimLeft(text)).empty())
        return fail("missing REGEDIT4 header");
    return true;
}
