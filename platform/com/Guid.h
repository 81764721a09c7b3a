#pragma once

// Globally unique identifiers as the component layer stores and compares them.

#include "platform/WinTypes.h"

#include <string>

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPCLSID = CLSID*;

constexpr bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
constexpr bool operator!=(const GUID& a, const GUID& b)
{
    return !(a == b);
}

namespace guid_detail {
constexpr int HexValue(char c)
{
    return (c >= '0' && c <= '9') ? c - '0'
        : (c >= 'a' && c <= 'f')  ? c - 'a' + 10
        : (c >= 'A' && c <= 'F')  ? c - 'A' + 10
                                  : -1;
}
// Parses exactly "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters, either case).
constexpr bool Parse(const char* s, std::size_t length, GUID& out)
{
    if (length != 38 || s[0] != '{' || s[37] != '}' || s[9] != '-' || s[14] != '-' || s[19] != '-'
        || s[24] != '-')
        return false;
    unsigned long long fields[5] = {};
    const int starts[5] = { 1, 10, 15, 20, 25 };
    const int lengths[5] = { 8, 4, 4, 4, 12 };
    for (int f = 0; f < 5; ++f) {
        for (int i = 0; i < lengths[f]; ++i) {
            const int v = HexValue(s[starts[f] + i]);
            if (v < 0)
                return false;
            fields[f] = fields[f] * 16 + static_cast<unsigned>(v);
        }
    }
    out.Data1 = static_cast<DWORD>(fields[0]);
    out.Data2 = static_cast<WORD>(fields[1]);
    out.Data3 = static_cast<WORD>(fields[2]);
    out.Data4[0] = static_cast<BYTE>(fields[3] >> 8);
    out.Data4[1] = static_cast<BYTE>(fields[3]);
    for (int i = 0; i < 6; ++i)
        out.Data4[2 + i] = static_cast<BYTE>(fields[4] >> (8 * (5 - i)));
    return true;
}
} // namespace guid_detail

// A GUID from its registry text at compile time; a malformed literal does not compile.
template <std::size_t N> constexpr GUID GuidLiteral(const char (&text)[N])
{
    GUID g { 0, 0, 0, { 0, 0, 0, 0, 0, 0, 0, 0 } };
    if (!guid_detail::Parse(text, N - 1, g))
        throw "malformed GUID literal";
    return g;
}

// Parses the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; false (and *out untouched)
// for anything else, including a missing pair of braces or surrounding spaces.
bool GuidFromString(const char* text, GUID* out);
// The registry form, upper case hex digits, with braces.
std::string GuidToString(REFGUID guid);

constexpr GUID GUID_NULL { 0, 0, 0, { 0, 0, 0, 0, 0, 0, 0, 0 } };
constexpr IID IID_NULL = GUID_NULL;
constexpr CLSID CLSID_NULL = GUID_NULL;
