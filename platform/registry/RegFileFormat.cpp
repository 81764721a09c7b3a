#include "platform/registry/RegFileFormat.h"

#include "platform/registry/KeyPath.h"
#include "platform/registry/Registry.h"
#include "platform/registry/Utf16Text.h"

#include <cstdio>

namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr DWORD kRegExpandSz = 2;
constexpr DWORD kRegMultiSz = 7;
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

bool isStringType(DWORD type)
{
    return type == REG_SZ || type == kRegExpandSz || type == kRegMultiSz;
}

bool parseValueData(
    std::string_view s, bool utf16Strings, DWORD& type, std::vector<BYTE>& data, std::string& error)
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
        if (!parseHexBytes(s.substr(close + 2), data, error))
            return false;
        if (utf16Strings && isStringType(type)) {
            std::string text;
            if (!CUtf16Text::toUtf8(
                    std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), text)) {
                error = "string data of odd length";
                return false;
            }
            if (text.size() > CKeyPath::kMaxValueDataSize) {
                error = "value data too long";
                return false;
            }
            data.assign(text.begin(), text.end());
        }
        return true;
    }
    error = "unknown value format";
    return false;
}

// Writes the parts of one variant: line ends, strings and hex lists.
class Writer
{
public:
    explicit Writer(RegEncoding encoding)
        : m_encoding(encoding)
        , m_newline(encoding == RegEncoding::Version5Utf16 ? "\r\n" : "\n")
    {
        m_out = encoding == RegEncoding::Regedit4 ? kHeader4 : kHeader5;
        m_out += m_newline;
        m_out += m_newline;
    }

    void key(const CHiveKey& key, const std::string& path, bool header)
    {
        if (header) {
            m_out += '[';
            m_out += path;
            m_out += ']';
            m_out += m_newline;
        }
        for (const CHiveKey::Value& v : key.values())
            value(v);
        if (header)
            m_out += m_newline;
    }

    void tree(const CHiveKey& top, const std::string& path, bool header)
    {
        key(top, path, header);
        for (std::size_t i = 0; i < top.subkeyCount(); ++i) {
            const CHiveKey& sub = top.subkey(i);
            tree(sub, path + '\\' + sub.name(), true);
        }
    }

    std::string finish()
    {
        if (m_encoding != RegEncoding::Version5Utf16)
            return std::move(m_out);
        return "\xFF\xFE" + CUtf16Text::fromUtf8(m_out);
    }

private:
    bool version5() const { return m_encoding != RegEncoding::Regedit4; }

    void value(const CHiveKey::Value& v)
    {
        const std::size_t lineStart = m_out.size();
        if (v.name.empty())
            m_out += '@';
        else
            m_out += CRegFileFormat::quote(v.name);
        m_out += '=';
        const std::string_view text(reinterpret_cast<const char*>(v.data.data()), v.data.size());
        if (v.type == REG_SZ && isPlainString(v.data) && !(version5() && hasControlBytes(text))) {
            m_out += version5() ? quoteVersion5(text.substr(0, text.size() - 1))
                                : CRegFileFormat::quote(text.substr(0, text.size() - 1));
        } else if (v.type == REG_DWORD && v.data.size() == 4) {
            char buf[16];
            const DWORD d = static_cast<DWORD>(v.data[0]) | (static_cast<DWORD>(v.data[1]) << 8)
                | (static_cast<DWORD>(v.data[2]) << 16) | (static_cast<DWORD>(v.data[3]) << 24);
            std::snprintf(buf, sizeof buf, "dword:%08x", d);
            m_out += buf;
        } else {
            if (v.type == kRegBinary) {
                m_out += "hex:";
            } else {
                char buf[24];
                std::snprintf(buf, sizeof buf, "hex(%x):", v.type);
                m_out += buf;
            }
            if (version5() && isStringType(v.type))
                hex(m_out.size() - lineStart, CUtf16Text::fromUtf8(text));
            else
                hex(m_out.size() - lineStart, text);
        }
        m_out += m_newline;
    }

    void hex(std::size_t column, std::string_view data)
    {
        static const char digits[] = "0123456789abcdef";
        for (std::size_t i = 0; i < data.size(); ++i) {
            const auto b = static_cast<unsigned char>(data[i]);
            m_out += digits[b >> 4];
            m_out += digits[b & 15];
            column += 2;
            if (i + 1 < data.size()) {
                m_out += ',';
                ++column;
                if (column > 76) {
                    m_out += '\\';
                    m_out += m_newline;
                    m_out += "  ";
                    column = 2;
                }
            }
        }
    }

    static bool isPlainString(const std::vector<BYTE>& data)
    {
        if (data.empty() || data.back() != 0)
            return false;
        for (std::size_t i = 0; i + 1 < data.size(); ++i) {
            if (data[i] == 0)
                return false;
        }
        return true;
    }

    static bool hasControlBytes(std::string_view text)
    {
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (static_cast<unsigned char>(text[i]) < 0x20)
                return true;
        }
        return false;
    }

    // regedit's version 5 strings escape only the backslash and the quote.
    static std::string quoteVersion5(std::string_view text)
    {
        std::string out;
        out.reserve(text.size() + 2);
        out += '"';
        for (char c : text) {
            if (c == '\\' || c == '"')
                out += '\\';
            out += c;
        }
        out += '"';
        return out;
    }

    RegEncoding m_encoding;
    std::string m_newline;
    std::string m_out;
};

// Turns a file's bytes into 8-bit text and says which variant they are in.
bool decodeText(std::string_view bytes, std::string& text, bool& utf16, std::string& error)
{
    utf16 = false;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        utf16 = true;
        if (!CUtf16Text::toUtf8(bytes.substr(2), text)) {
            error = "file ends in the middle of a character";
            return false;
        }
        return true;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    text.assign(bytes.data(), bytes.size());
    return true;
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

bool CRegFileFormat::splitPath(std::string_view path, std::string& root, std::vector<std::string>& names)
{
    names.clear();
    const std::size_t first = path.find('\\');
    root.assign(path.substr(0, first));
    if (root.empty())
        return false;
    if (first == std::string_view::npos)
        return true;
    path.remove_prefix(first + 1);
    while (true) {
        const std::size_t sep = path.find('\\');
        const std::string_view part = path.substr(0, sep);
        if (!CKeyPath::isValidKeyName(part) || names.size() >= CKeyPath::kMaxDepth)
            return false;
        names.emplace_back(part);
        if (sep == std::string_view::npos)
            return true;
        path.remove_prefix(sep + 1);
    }
}

std::string CRegFileFormat::write(const CHiveKey& root, std::string_view rootName, RegEncoding encoding)
{
    Writer writer(encoding);
    writer.tree(root, std::string(rootName), !root.values().empty());
    return writer.finish();
}

std::string CRegFileFormat::writeKeys(const std::vector<Subtree>& keys, RegEncoding encoding)
{
    Writer writer(encoding);
    for (const Subtree& key : keys)
        writer.tree(*key.second, key.first, true);
    return writer.finish();
}

bool CRegFileFormat::read(std::string_view bytes, CRegDocument& document, std::string& error)
{
    document = CRegDocument {};
    if (bytes.size() > CKeyPath::kMaxHiveFileSize) {
        error = "file too large";
        return false;
    }
    std::string text;
    bool utf16 = false;
    if (!decodeText(bytes, text, utf16, error))
        return false;

    LineReader reader(text);
    std::string_view line;
    bool sawHeader = false;
    bool version5 = false;
    CRegDocument::Section* current = nullptr;
    std::string logical;
    std::string root;
    std::vector<std::string> names;

    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(reader.lineNumber()) + ": " + what;
        document.sections.clear();
        return false;
    };

    while (reader.next(line)) {
        const std::string_view trimmed = trimRight(trimLeft(line));
        if (!sawHeader) {
            if (trimmed.empty())
                continue;
            if (trimmed == kHeader4) {
                document.encoding = RegEncoding::Regedit4;
            } else if (trimmed == kHeader5) {
                version5 = true;
                document.encoding = utf16 ? RegEncoding::Version5Utf16 : RegEncoding::Version5Utf8;
            } else {
                return fail(
                    "not a registry file (no REGEDIT4 or \"Windows Registry Editor Version 5.00\" header)");
            }
            sawHeader = true;
            continue;
        }
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            if (trimmed.back() != ']')
                return fail("key header without closing bracket");
            std::string_view full = trimmed.substr(1, trimmed.size() - 2);
            CRegDocument::Section section;
            if (!full.empty() && full.front() == '-') {
                section.remove = true;
                full.remove_prefix(1);
            }
            if (!splitPath(full, root, names))
                return fail("bad key name");
            section.path.assign(full);
            section.line = reader.lineNumber();
            document.sections.push_back(std::move(section));
            current = &document.sections.back();
            continue;
        }
        if (!current)
            return fail("value before any key");

        CRegDocument::Entry entry;
        entry.line = reader.lineNumber();
        std::string_view rest = trimmed;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else if (rest.front() == '"') {
            if (!readQuoted(rest, entry.name, error))
                return fail(error);
            if (entry.name.size() > CKeyPath::kMaxValueNameLength)
                return fail("value name too long");
        } else {
            return fail("unrecognised line");
        }
        rest = trimLeft(rest);
        if (rest.empty() || rest.front() != '=')
            return fail("expected '=' after the value name");
        rest = trimLeft(rest.substr(1));
        if (current->remove)
            return fail("value under a key that is deleted");

        if (rest == "-") {
            entry.remove = true;
            current->entries.push_back(std::move(entry));
            continue;
        }
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
        if (!parseValueData(rest, version5, entry.type, entry.data, error))
            return fail(error);
        current->entries.push_back(std::move(entry));
    }
    if (!sawHeader && !trimRight(trimLeft(text)).empty())
        return fail("not a registry file (no REGEDIT4 or \"Windows Registry Editor Version 5.00\" header)");
    return true;
}

bool CRegFileFormat::parse(std::string_view bytes, std::string_view rootName, CHiveKey& root,
    std::string& error, RegEncoding* encoding)
{
    root.clear();
    CRegDocument document;
    if (!read(bytes, document, error))
        return false;
    auto fail = [&](int line, const std::string& what) {
        error = "line " + std::to_string(line) + ": " + what;
        root.clear();
        return false;
    };
    std::string sectionRoot;
    std::vector<std::string> path;
    for (CRegDocument::Section& section : document.sections) {
        if (section.remove)
            return fail(section.line, "a key deletion, which only an import file may hold");
        splitPath(section.path, sectionRoot, path);
        if (sectionRoot != rootName)
            return fail(section.line, "key outside " + std::string(rootName));
        CHiveKey& key = root.create(path);
        for (CRegDocument::Entry& entry : section.entries) {
            if (entry.remove)
                return fail(entry.line, "a value deletion, which only an import file may hold");
            key.setValue(entry.name, entry.type, std::move(entry.data));
        }
    }
    if (encoding)
        *encoding = document.encoding;
    return true;
}
