#pragma once

#include "platform/registry/HiveKey.h"
#include "platform/registry/RegDocument.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads and writes the .reg export format in both variants regedit writes:
//
//   REGEDIT4                                  (8-bit text)
//   Windows Registry Editor Version 5.00      (UTF-16LE with a byte-order
//                                              mark, CR LF; or UTF-8)
//
//   [HKEY_CURRENT_USER\Software\Maker\Program]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000002a
//   "Odd"=hex(1):41,00,42,00
//   "Long"=hex:00,01,02,\ (a hex list goes on over lines ending in a backslash)
//     03,04
//
// The store keeps 8-bit text (UTF-8). In a version 5 file the quoted strings
// and the hex data of the string types (1, 2 and 7) are UTF-16 and are
// converted both ways; REGEDIT4 text is kept byte for byte.
//
// When writing, a REG_SZ value is a quoted string when its data is one
// NUL-terminated string; REGEDIT4 output writes bytes below 0x20 and 0x7F as
// \xHH, version 5 output (which regedit must read) writes such strings as
// hex(1). Other data and types are written as hex(type), so every value
// reads back byte for byte. Every key is written with its own header, so
// empty keys survive. Lines starting with ';' are comments.
class CRegFileFormat
{
public:
    // Reads a whole file in either variant, with the deletion forms "[-KEY]"
    // and "name"=- an import file may hold, and keys under any root. On
    // failure returns false and describes the first fault ("line N: ...").
    static bool read(std::string_view bytes, CRegDocument& document, std::string& error);

    // Parses a hive file into root (which is cleared first). Every key must
    // be below rootName ("HKEY_CURRENT_USER") and nothing may be deleted. On
    // failure returns false, leaves root empty and describes the first fault.
    // encoding, when given, receives the variant the file was written in.
    static bool parse(std::string_view bytes, std::string_view rootName, CHiveKey& root, std::string& error,
        RegEncoding* encoding = nullptr);

    // The whole hive, every key with its header.
    static std::string write(
        const CHiveKey& root, std::string_view rootName, RegEncoding encoding = RegEncoding::Regedit4);

    // Only the given keys and their subkeys, each under its full path.
    using Subtree = std::pair<std::string, const CHiveKey*>;
    static std::string writeKeys(const std::vector<Subtree>& keys, RegEncoding encoding);

    static std::string quote(std::string_view bytes);

    // Splits "ROOT\A\B" into its root and key names; false when a name is empty,
    // too long or holds control bytes, or the path is too deep.
    static bool splitPath(std::string_view path, std::string& root, std::vector<std::string>& names);
};
