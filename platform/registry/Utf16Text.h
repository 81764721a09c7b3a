#pragma once

#include <string>
#include <string_view>

// Conversions between the store's 8-bit text (UTF-8) and the UTF-16LE bytes
// that regedit's "Windows Registry Editor Version 5.00" files and string
// values use.
class CUtf16Text
{
public:
    // UTF-16LE bytes to UTF-8. An unpaired surrogate becomes U+FFFD; a
    // trailing odd byte is an error (returns false).
    static bool toUtf8(std::string_view utf16le, std::string& out);

    // UTF-8 to UTF-16LE bytes. A byte that does not start or continue a valid
    // UTF-8 sequence is taken as the Latin-1 character of the same value, so
    // every byte string has a UTF-16 form.
    static std::string fromUtf8(std::string_view utf8);

    // True when bytes are well-formed UTF-8 (no surrogates, no overlongs).
    static bool isUtf8(std::string_view bytes);
};
