#pragma once

#include "platform/registry/HiveKey.h"

#include <string>
#include <string_view>

// Reads and writes one hive in the .reg export format:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Maker\Program]
//   @="default value"
//   "Name"="text with \\ and \" escaped"
//   "Count"=dword:0000002a
//   "Odd"=hex(1):41,00,42,00
//
// Strings are the bytes of the ANSI code page as stored. A REG_SZ value is
// written as a quoted string when its data is one NUL-terminated string;
// bytes below 0x20 and 0x7F are written as \xHH. Data that is not a single
// terminated string (missing or inner NUL) and values of other types are
// written as hex(type) so that every value reads back byte for byte.
// Every key is written with its own header, so empty keys survive. Lines
// starting with ';' are comments. Anything else is an error: the file is
// not a hive written by this store or by hand with care.
class CRegFileFormat
{
public:
    // Parses text into root (which is cleared first). rootName is the name the
    // key headers must start with ("HKEY_CURRENT_USER"). On failure returns
    // false, leaves root empty and describes the first fault in error.
    static bool parse(std::string_view text, std::string_view rootName, CHiveKey& root, std::string& error);

    static std::string write(const CHiveKey& root, std::string_view rootName);

    static std::string quote(std::string_view bytes);
};
