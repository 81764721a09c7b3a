#pragma once

#include "platform/WinTypes.h"

#include <string>
#include <vector>

// The .reg text variants this store reads and writes.
enum class RegEncoding
{
    Regedit4, // "REGEDIT4", 8-bit text
    Version5Utf16, // "Windows Registry Editor Version 5.00", UTF-16LE with a byte-order mark
    Version5Utf8, // the same header saved as UTF-8 by other tools
};

// A .reg file as written, before it is applied to any hive: the key sections
// in file order with their full paths (root name included), and the deletion
// forms an import file may hold. String data are the store's 8-bit text.
struct CRegDocument
{
    struct Entry
    {
        std::string name; // empty = the key's default value
        bool remove = false; // "name"=-
        DWORD type = 0;
        std::vector<BYTE> data;
        int line = 0;
    };
    struct Section
    {
        std::string path; // "HKEY_CURRENT_USER\Software\..."
        bool remove = false; // [-path]
        int line = 0;
        std::vector<Entry> entries;
    };

    RegEncoding encoding = RegEncoding::Regedit4;
    std::vector<Section> sections;
};
